#include "journal/ReadOnlyJournal.h"

#include "journal/JournalReader.h"
#include "tests/journal/JournalFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadOnlyJournal, SkipsHandEditedAnswers) {
    const std::vector<std::pair<const char*, const char*>> edits = {
        {"unchanged", "UPDATE answers SET answer = answer"},
        {"multiplier 11", "UPDATE answers SET multiplier = 11"},
        {"row 21", "UPDATE answers SET table_row = 21"},
        {"row as text", "UPDATE answers SET table_row = 'sieben'"},
        {"unknown outcome", "UPDATE answers SET outcome = 'gut'"},
        {"negative response time", "UPDATE answers SET response_ms = -1"},
        {"response time as text", "UPDATE answers SET response_ms = '1,2 s'"},
        {"day 32", "UPDATE answers SET answered_at = '2026-12-32T09:15:02.347Z'"},
    };
    for (const auto& [name, edit] : edits) {
        JournalFolder folder;
        folder.PlayTwoRoundsAndEditTheFirst(edit);

        std::vector<RecordedAnswer> answers;
        const JournalReading reading =
            ReadJournalReadOnly(folder.Path(), [&answers](const SqliteConnection& connection) {
                answers = ReadRecordedAnswers(connection);
            });
        EXPECT_EQ(reading.found, JournalReading::Found::Answers) << name;
        const std::size_t kept = std::string_view(name) == "unchanged" ? 2 : 1;
        ASSERT_EQ(answers.size(), kept) << name;
        EXPECT_EQ(answers.back().problem.multiplier, 4) << name;
    }
}

} // namespace
