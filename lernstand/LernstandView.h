#pragma once

#include "facts/FactLevel.h"
#include "facts/FactTable.h"
#include "facts/RowsInForce.h"
#include "journal/JournalCopy.h"
#include "lernstand/AnswerSummary.h"
#include "lernstand/JournalLook.h"
#include "school/AssignmentInForce.h"
#include "school/HandInStatus.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Which of the window's actions a grown-up may use.
struct LernstandActions {
    bool record = false;
    bool targeted = false;
    bool threshold = false;
    bool weakRows = false;
    bool remove = false;
    bool ownJournal = false;
    bool operator==(const LernstandActions&) const = default;
};

// Whose journal is shown, and what may be done with it for the teacher.
struct JournalOwner {
    // The child's name kept in the journal; empty when there is none.
    std::string name;
    // Shown where there is no name: the journal's file name, as ShownText has it.
    std::string placeholder;
    // Only the user's own journal, and only one this program can read, takes a name.
    bool nameEditable = false;
    bool teacherCopy = false;
    bool operator==(const JournalOwner&) const = default;
};

// The user's side of the class folder, read off the window's thread.
struct OwnClassFolder {
    std::optional<HandInStatus> handIn;
    // nullopt when the class folder did not answer.
    std::optional<AssignmentInForce> assignment;
};

// Everything the Lernstand's rules may do to its window. Texts are UTF-8.
class LernstandView {
public:
    virtual ~LernstandView() = default;

    virtual void ShowTitle(const std::string& title) = 0;
    // fastBelow decides the states: the grown-up's choice, grown by the child's typing time.
    virtual void ShowFacts(const FactTable& facts, std::chrono::milliseconds fastBelow) = 0;
    // The grown-up's choice.
    virtual void ShowThreshold(std::chrono::milliseconds threshold) = 0;
    virtual void ShowRowsInForce(const RowSwitches& rows) = 0;
    // Each sets its check box without telling back that it changed.
    virtual void ShowRecording(bool on) = 0;
    virtual void ShowTargeted(bool on) = 0;
    // What a switch also changed in the other one; empty hides the line.
    virtual void ShowSwitchNote(const std::string& text) = 0;
    // Every fact's level and next day while "Gezielt üben" is on; none while it is off.
    virtual void ShowProgress(const std::optional<FactProgressTable>& progress,
                              std::chrono::sys_days today) = 0;
    // A problem is shown as a warning.
    virtual void ShowSummary(const std::string& text, bool problem) = 0;
    virtual void ShowDays(const std::vector<DayCount>& days) = 0;
    virtual void ShowNothingRecorded(bool shown) = 0;
    virtual void EnableActions(const LernstandActions& actions) = 0;

    // Modal; each returns when the grown-up has answered it.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void ShowWarning(const std::string& text) = 0;
    virtual void ShowSettingsNotSaved() = 0;
    virtual bool ConfirmDelete() = 0;

    // Asks for one more look at the journal after the delay.
    virtual void LookAgainIn(std::chrono::milliseconds delay) = 0;
    // Asks for a look whenever the journal's files change from what was read.
    virtual void Watch(const std::filesystem::path& journal, const JournalStamps& read) = 0;

    // Sets the name field, to the name as ShownName has it, without telling back that it changed.
    virtual void ShowOwner(const JournalOwner& owner) = 0;

    // Modal: where to save a copy for the teacher, suggesting the file name; none when the
    // grown-up cancels.
    virtual std::optional<std::filesystem::path>
    AskCopyTarget(const std::string& suggestedName) = 0;
    // Runs copy off the window's thread, so that the window stays usable, and hands its result to
    // the engine's TeacherCopyEnded on the window's thread.
    virtual void RunCopy(std::function<JournalCopy()> copy) = 0;
    // The line that tells a copy is being saved, with its progress and "Abbrechen"; empty takes it
    // away.
    virtual void ShowCopying(const std::string& text) = 0;
    // Modal: whether to stop the copy being saved and close the window.
    virtual bool ConfirmCloseWhileCopying() = 0;

    // The class folder's line: when the last copy arrived there and the assignment in force;
    // empty hides it.
    virtual void ShowClassFolder(const std::string& text) = 0;
    // Beside "Gezielt üben": what the assignment sets for the drill instead of the controls;
    // empty hides it.
    virtual void ShowAssignmentNote(const std::string& text) = 0;
    // Runs read off the window's thread, since a share may take long to answer, and hands what it
    // read to the engine's ClassFolderRead on the window's thread.
    virtual void ReadClassFolder(std::function<OwnClassFolder()> read) = 0;
};
