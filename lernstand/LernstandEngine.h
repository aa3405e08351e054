#pragma once

#include "common/WallTime.h"
#include "facts/FactTable.h"
#include "facts/RowsInForce.h"
#include "journal/Journal.h"
#include "journal/JournalCopy.h"
#include "journal/JournalRemoval.h"
#include "lernstand/JournalLook.h"
#include "lernstand/LernstandView.h"
#include "school/ClassFolderSetting.h"
#include "school/ShareAccess.h"
#include "settings/SettingsSource.h"
#include "settings/SettingsWriter.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

struct LernstandActions;
class LernstandView;

// What the Lernstand works with; the program hands in the real ones, tests their fakes.
struct LernstandServices {
    // The user's own journal.
    std::filesystem::path journal;
    WritableSettings& settings;
    std::function<WallTime()> now = std::chrono::system_clock::now;
    std::function<JournalLook(const std::filesystem::path&, JournalOrigin)> look = LookAtJournal;
    std::function<std::error_code(const std::filesystem::path&)> remove = RemoveJournal;
    std::function<void(const std::filesystem::path&, std::string_view)> storeName =
        StoreJournalName;
    // Copies a journal to a target until cancelled is set.
    std::function<JournalCopy(const std::filesystem::path&, const std::filesystem::path&,
                              const std::atomic<bool>&)>
        copy = [](const std::filesystem::path& from, const std::filesystem::path& to,
                  const std::atomic<bool>& cancelled) { return CopyJournal(from, to, cancelled); };
    // The class folder as the drill reaches it, and the login its files there are named after.
    std::shared_ptr<ShareAccess> share = std::make_shared<DirectShare>();
    std::string login = PupilLogin();
};

// The Lernstand's decisions: which journal is shown and what of it, which actions are offered,
// and what each action does to the settings and the journal. It drives its window only through
// LernstandView. It writes nothing into the journal but the child's name; it writes the settings
// and, when asked, deletes the user's own journal. Someone else's journal it shows read-only,
// with nothing offered that writes. While the settings name a class folder, it shows with the
// user's own journal when the last copy reached that folder and the assignment in force.
class LernstandEngine {
public:
    // Another program writing the journal holds it for milliseconds; after that many looks in a
    // row it counts as unreadable.
    static constexpr std::chrono::milliseconds kBusyRetry{1000};
    static constexpr int kBusyTries = 5;

    LernstandEngine(LernstandView& view, LernstandServices services);

    // Shows the user's own journal from a look taken beforehand, with the stored settings.
    void Start(const JournalLook& firstLook);
    // Looks at the shown journal anew: its files changed, or it was busy.
    void Reload();
    // The window is active again, maybe after the settings changed elsewhere.
    void Activated();

    // Shows the journal in the file read-only when it is one, else says why not and changes
    // nothing.
    void OpenFile(const std::filesystem::path& file);
    void OpenOwnJournal();

    void RecordToggled(bool on);
    void TargetedToggled(bool on);
    // choice indexes settings::kThresholdChoices.
    void ThresholdChosen(int choice);
    void WeakRowsClicked();
    void DeleteClicked();

    const std::filesystem::path& Journal() const { return journal_; }
    JournalOrigin Origin() const { return foreign_ ? JournalOrigin::Copy : JournalOrigin::Own; }
    const FactTable& Facts() const { return facts_; }
    // The grown-up's choice.
    std::chrono::milliseconds Threshold() const { return threshold_; }
    // How fast a right answer to the shown journal must be: the choice, grown by the child's
    // typing time.
    std::chrono::milliseconds FastBelow() const;
    // As the settings hold them now.
    RowSwitches RowsInForce() const;

    // The grown-up is done typing the child's name: it is kept in the user's own journal, which
    // is created for it when there is none yet.
    void NameEdited(const std::string& typed);
    // The name suggested for a copy of the shown journal for the teacher, made today.
    std::string TeacherCopyName() const;
    // "Für die Lehrkraft speichern…": asks where, then saves the copy there.
    void TeacherCopyClicked();
    // Copies the shown journal to target in the background, and tells how that went once it has
    // ended; while one copy runs, another is refused with a message.
    void SaveTeacherCopy(const std::filesystem::path& target);
    // The copy in the background has ended.
    void TeacherCopyEnded(const JournalCopy& copy);
    void CancelCopyClicked();
    // The window is to close: while a copy runs, only if the grown-up agrees, and then the copy is
    // stopped. False keeps the window open.
    bool MayClose();
    // The window goes: a copy still running stops, without a word.
    void StopCopy();

    // The class folder, or the status of the last copy handed in, may have changed: both are read
    // anew, off the window's thread, while a class folder is set and the own journal is shown.
    void LookAtClassFolder();
    // What that reading found.
    void ClassFolderRead(const OwnClassFolder& read);

private:
    void ShowJournal(const std::filesystem::path& journal);
    void ShowLook(const JournalLook& look);
    void ShowReading(const JournalLook& look);
    void LoadSettings();
    void RefreshRowsInForce();
    LernstandActions Actions() const;

    LernstandView& view_;
    LernstandServices services_;
    settings::SettingsWriter writer_;
    std::filesystem::path journal_;
    bool foreign_ = false;
    JournalReading::Found found_ = JournalReading::Found::Nothing;
    bool targeted_ = false;
    int busyLooks_ = 0;
    FactTable facts_;
    std::chrono::milliseconds threshold_;
    std::optional<TypingCheck> typingCheck_;

    void ShowOwner(const JournalLook& look);
    JournalOwner owner_;

    // The copy for the teacher being saved in the background.
    struct RunningCopy {
        std::filesystem::path journal;
        std::filesystem::path target;
        // Shared with the copy, which may outlive the engine by the moment it needs to stop.
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    std::optional<RunningCopy> copy_;
    // While the grown-up is asked whether to close, a copy that ends waits for the answer, so
    // that its message does not cover the question.
    bool askingToClose_ = false;
    std::optional<JournalCopy> endedWhileAsking_;

    // One reading of the class folder at a time; a request meanwhile reads once more after it.
    bool readingClassFolder_ = false;
    bool classFolderAgain_ = false;
};
