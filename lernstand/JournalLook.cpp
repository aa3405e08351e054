#include "lernstand/JournalLook.h"

#include "journal/JournalReader.h"
#include "journal/SqliteCompanions.h"

namespace fs = std::filesystem;

JournalStamps StampJournal(const fs::path& journal) {
    JournalStamps stamps;
    const fs::path files[] = {journal, WriteAheadLogOf(journal)};
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        std::error_code error;
        FileStamp& stamp = stamps.at(i);
        if (!fs::exists(files[i], error)) {
            continue;
        }
        stamp = {true, fs::file_size(files[i], error), fs::last_write_time(files[i], error)};
        if (i > 0 && stamp.size == 0) {
            stamp = {};
        }
    }
    return stamps;
}

JournalLook LookAtJournal(const fs::path& journal, JournalOrigin origin) {
    JournalLook look;
    look.before = StampJournal(journal);
    look.reading = ReadJournalReadOnly(
        journal,
        [&look](const SqliteConnection& connection) {
            look.answers = ReadRecordedAnswers(connection);
            look.name = ReadChildName(connection);
            look.typingCheck = ReadNewestTypingCheck(connection);
        },
        origin);
    return look;
}
