#pragma once

#include "lernstand/ClassOverview.h"
#include "school/Assignment.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

// Everything the class window's rules may do to the window. Texts are UTF-8.
class ClassView {
public:
    virtual ~ClassView() = default;

    virtual void ShowTitle(const std::string& title) = 0;
    // The line above the tables: how far the reading is, or what came of it.
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void ShowProgress(std::size_t read, std::size_t files) = 0;
    // The reading is over, done, stopped or failed: the progress and its "Abbrechen" go.
    virtual void EndProgress() = 0;
    // Every pupil and the class's table; the overview stays as it is while shown. A later one
    // replaces it pupil by pupil, by file, so that the table keeps its order, its selection and
    // where it is scrolled to.
    virtual void ShowOverview(std::shared_ptr<const ClassOverview> overview) = 0;
    // The grown-up chose a pupil: that pupil's own journal is to be shown.
    virtual void ShowPupil(const std::filesystem::path& journal) = 0;

    // From now on the engine wants TimeToLook every interval while the window is shown.
    virtual void LookEvery(std::chrono::seconds interval) = 0;
    // The assignments in force: the class's line, empty while there is none, and each pupil's own
    // in words, by the pupil's file.
    virtual void ShowAssignments(const std::string& classLine,
                                 const std::map<std::filesystem::path, std::string>& pupils) = 0;
    // While an assignment is being written, none can be given or taken back.
    virtual void EnableAssignments(bool enabled) = 0;

    // Modal; each returns when the grown-up has answered it.
    // The assignment to give, starting from shown; none when cancelled.
    virtual std::optional<Assignment> AskAssignment(const std::string& heading,
                                                    const Assignment& shown) = 0;
    virtual bool ConfirmTakeBack(const std::string& question) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void ShowWarning(const std::string& text) = 0;
};
