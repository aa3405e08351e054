#pragma once

#include "school/AssignmentFile.h"
#include "school/ShareAccess.h"

#include <filesystem>
#include <optional>
#include <string>

// Where a pupil's assignments lie: the class folder and the pupil's login.
struct AssignmentPlace {
    std::filesystem::path folder;
    std::string login;

    bool operator==(const AssignmentPlace&) const = default;
};

// The assignment a pupil's rounds follow.
struct AssignmentInForce {
    // The file it was read from; empty when there is none, and the child's own settings hold.
    std::filesystem::path file;
    AssignmentReading reading;
};

// Reads the pupil's own assignment, else the class's. A pupil's file wins as a whole, so that a
// teacher who gives one pupil something else need not repeat every key. None when the folder is
// there and holds neither; nullopt when the share fails (the folder is gone, a file cannot be
// read), so that the caller keeps what it had. Blocks as long as the share takes.
std::optional<AssignmentInForce> ReadAssignmentInForce(ShareAccess& share,
                                                       const AssignmentPlace& place);
