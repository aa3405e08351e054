#pragma once

#include "journal/ReadOnlyJournal.h"

#include <cstdint>
#include <filesystem>

// The answers a journal or a copy of one holds; -1 for a file that is none, or is not there.
inline std::int64_t CountAnswers(const std::filesystem::path& journal,
                                 JournalOrigin origin = JournalOrigin::Copy) {
    std::int64_t answers = -1;
    if (!std::filesystem::exists(journal)) {
        return answers;
    }
    ReadJournalReadOnly(
        journal,
        [&answers](const SqliteConnection& reader) {
            answers = reader.QueryInteger("SELECT count(*) FROM answers");
        },
        origin);
    return answers;
}
