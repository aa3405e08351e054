#pragma once

#include "facts/RoundObserver.h"
#include "school/AssignedSettings.h"
#include "school/AssignmentReader.h"
#include "school/HandIn.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

// The drill's side of the class folder, told of every round. While the child's settings name a
// class folder, each round start reads the assignment in force, waiting at most kRoundStartWait,
// and lays it over the child's own settings for the rounds; each round's end hands the journal in
// off the caller's thread while the drill records. Without a class folder the rounds read the
// child's own settings and nothing is read or copied. A class folder that fails is never the
// child's problem: HandIn tells it on the error stream. Used from one thread.
class ClassFolderDrill final : public RoundObserver {
public:
    // own and errors outlive the object. journal is empty when there is none to hand in; login
    // names the pupil's files in the class folder.
    ClassFolderDrill(const SettingsSource& own, std::filesystem::path journal, std::string login,
                     std::shared_ptr<ShareAccess> share, std::ostream& errors);

    // What the rounds read: the child's own settings with the assignment in force over them.
    const SettingsSource& RoundSettings() const;
    // The assignment in force; empty while there is none.
    const Assignment& InForce() const;
    // Called whenever the assignment in force changed, by Refresh and RoundStarting.
    void OnChange(std::function<void()> changed);

    // Reads the assignment in force anew, waiting at most wait for the class folder.
    void Refresh(std::chrono::milliseconds wait);
    // The drill closes: one more copy, waited for at most kClosingWait.
    void Closing();

    void RoundStarting() override;
    void RoundEnded() override;

private:
    void HandInNow();

    const SettingsSource& own_;
    const std::filesystem::path journal_;
    const std::string login_;
    AssignedSettings assigned_;
    AssignmentReader reader_;
    HandIn handIn_;
    std::function<void()> changed_;
};

// The drill's class folder for the user's own journal and login, reached directly, its failures
// told on the standard error stream.
std::unique_ptr<ClassFolderDrill> MakeOwnClassFolderDrill(const SettingsSource& own);
