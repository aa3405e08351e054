#pragma once

#include "common/WallTime.h"
#include "journal/JournalCopy.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

// What became of the last try to hand the journal in, kept in a small file beside the journal so
// that the Lernstand, a program of its own, can show it later, also when the class folder is gone.

enum class HandInProblem {
    None,
    FolderFull,         // the share is full
    FolderReadOnly,     // the pupil may not write into the class folder
    FolderGone,         // the class folder is not there, say the share is not mounted
    FolderFailed,       // writing failed otherwise, say with an input/output error
    JournalNotReadable, // the journal itself could not be read
    NoAnswer,           // the copy at closing had not finished when the drill ended
};

struct HandInStatus {
    // The copy's place in the class folder at the last try.
    std::filesystem::path target;
    // When a copy last reached that place.
    std::optional<WallTime> arrived;
    // When the last try ended.
    std::optional<WallTime> tried;
    // Why the last try failed; None when it succeeded.
    HandInProblem problem = HandInProblem::None;
    // The system's or SQLite's words for the problem.
    std::string detail;

    bool operator==(const HandInStatus&) const = default;
};

// "Abgabe.ini" beside the journal.
std::filesystem::path HandInStatusPath(const std::filesystem::path& journal);

// nullopt while there is none, or for a file that cannot be read.
std::optional<HandInStatus> ReadHandInStatus(const std::filesystem::path& file);

// Replaces the file in one step. Returns the error, empty on success.
std::error_code WriteHandInStatus(const std::filesystem::path& file, const HandInStatus& status);

// What a failed copy means for the class folder.
HandInProblem ProblemOfCopy(JournalCopy::Problem problem);

// "der Klassenordner ist voll", the problem in words for the Lernstand; empty for None.
std::string HandInProblemText(HandInProblem problem);
