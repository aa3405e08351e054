#include "lernstand/core/JournalRemoval.h"

#include <string>

std::error_code RemoveJournal(const std::filesystem::path& journal) {
    std::error_code error;
    for (const char* suffix : {"-wal", "-shm", ""}) {
        std::filesystem::remove(journal.string() + suffix, error);
        if (error) {
            return error;
        }
    }
    return error;
}
