#include "lernstand/JournalFile.h"

#include "journal/JournalReader.h"
#include "journal/ReadOnlyJournal.h"
#include "lernstand/LernstandTexts.h"

#include <stdexcept>

std::vector<JournalAnswer> ReadAnswersWithRounds(const std::filesystem::path& path,
                                                 JournalOrigin origin) {
    std::vector<JournalAnswer> answers;
    const JournalReading reading = ReadJournalReadOnly(
        path,
        [&answers](const SqliteConnection& connection) {
            answers = ReadJournalAnswers(connection);
        },
        origin);
    using Found = JournalReading::Found;
    switch (reading.found) {
    case Found::Nothing:
    case Found::Answers:
        return answers;
    case Found::Newer:
        throw std::runtime_error(NewerJournalText());
    case Found::Empty:
    case Found::Foreign:
        throw std::runtime_error(NotAJournalText());
    case Found::Unreadable:
    case Found::Busy:
        break;
    }
    throw std::runtime_error(reading.problem);
}
