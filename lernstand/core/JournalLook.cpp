#include "lernstand/core/JournalLook.h"

#include "journal/JournalReader.h"
#include "journal/SqliteCompanions.h"

namespace fs = std::filesystem;

JournalStamps StampJournal(const fs::path& journal) {
    JournalStamps stamps;
    const fs::path files[] = {journal, WriteAheadLogOf(journal)};
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        std::error_code error;
        FileStamp& stamp = stamps.at(i);
        stamp.exists = fs::exists(files[i], error);
        if (stamp.exists) {
            stamp.size = fs::file_size(files[i], error);
            stamp.written = fs::last_write_time(files[i], error);
        }
    }
    return stamps;
}

JournalLook LookAtJournal(const fs::path& journal) {
    JournalLook look;
    look.before = StampJournal(journal);
    look.reading = ReadJournalReadOnly(journal, [&look](const SqliteConnection& connection) {
        look.answers = ReadRecordedAnswers(connection);
        look.name = ReadChildName(connection);
    });
    return look;
}
