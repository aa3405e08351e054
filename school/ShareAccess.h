#pragma once

#include "journal/JournalCopy.h"

#include <cstddef>
#include <filesystem>
#include <string>

// A file read from the class folder.
struct ShareRead {
    // errno of the failure; 0 when the file was read.
    int error = 0;
    // At most the limit asked for and one byte more, so that a longer file shows as such.
    std::string bytes;
};

// Every file operation the drill makes on the class folder goes through here: a share may answer
// slowly, fill up, turn read-only or vanish, and tests stand in for it with one that does so on
// purpose. The operations may block for as long as the share takes; they are called off the
// window's thread, from more than one thread.
class ShareAccess {
public:
    virtual ~ShareAccess() = default;

    // Reads a plain file; one that is no plain file fails with EINVAL.
    virtual ShareRead Read(const std::filesystem::path& file, std::size_t limit) = 0;
    // errno of looking at the folder; 0 when it is there and a folder.
    virtual int CheckFolder(const std::filesystem::path& folder) = 0;
    // CopyJournal.
    virtual JournalCopy Copy(const std::filesystem::path& journal,
                             const std::filesystem::path& target) = 0;
};

// The class folder as the system reaches it.
class DirectShare final : public ShareAccess {
public:
    ShareRead Read(const std::filesystem::path& file, std::size_t limit) override;
    int CheckFolder(const std::filesystem::path& folder) override;
    JournalCopy Copy(const std::filesystem::path& journal,
                     const std::filesystem::path& target) override;
};
