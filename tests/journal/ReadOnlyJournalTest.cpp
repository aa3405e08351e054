#include "journal/ReadOnlyJournal.h"

#include "journal/JournalReader.h"
#include "journal/SqliteCompanions.h"
#include "journal/SqliteError.h"
#include "tests/journal/JournalFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sqlite3.h>

namespace {

namespace fs = std::filesystem;
using Found = JournalReading::Found;

// Every file of the folder with its bytes, to see that reading changed nothing.
std::map<std::string, std::string> FolderContent(const fs::path& folder) {
    std::map<std::string, std::string> content;
    for (const auto& entry : fs::directory_iterator(folder)) {
        content[entry.path().filename().string()] = FileBytes(entry.path());
    }
    return content;
}

// A journal as it is while the drill records: its answers still in the log beside it.
void CopyWhileRecording(JournalFolder& folder, const fs::path& stick) {
    folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});
    const SqliteConnection holder(folder.Path());
    holder.Execute("PRAGMA wal_autocheckpoint = 0");
    folder.PlayRound(kRound, {Answer(4, 5, AnswerOutcome::Wrong)});
    fs::copy_file(folder.Path(), stick / "Anna.sqlite");
    fs::copy_file(WriteAheadLogOf(folder.Path()), stick / "Anna.sqlite-wal");
}

// A file from a stick is untrusted: whatever it holds, it is read within bounds, or named.
TEST(ReadOnlyJournal, FilesFromAStickAreReadWithoutChangingThem) {
    const struct {
        const char* name;
        std::function<void(JournalFolder&, const fs::path&)> make;
        Found found;
        std::size_t answers;
    } cases[] = {
        {"a journal copied while the drill records", CopyWhileRecording, Found::Answers, 2},
        {"an empty file",
         [](JournalFolder&, const fs::path& stick) { WriteBytes(stick / "Anna.sqlite", ""); },
         Found::Empty, 0},
        {"half a journal",
         [](JournalFolder& folder, const fs::path& stick) {
             folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});
             SqliteConnection(folder.Path()).Execute("PRAGMA wal_checkpoint(TRUNCATE)");
             const std::string bytes = FileBytes(folder.Path());
             WriteBytes(stick / "Anna.sqlite", bytes.substr(0, bytes.size() / 2));
         },
         Found::Unreadable, 0},
        {"answers as a view without end",
         [](JournalFolder&, const fs::path& stick) {
             SqliteConnection(stick / "Anna.sqlite")
                 .Execute("CREATE TABLE rounds (id, started_at, problem_total, timed, step_tenths, "
                          "rows); CREATE VIEW answers AS WITH RECURSIVE n(i) AS (SELECT 1 UNION "
                          "ALL SELECT i + 1 FROM n) SELECT i AS id, 1 AS round_id, "
                          "'2026-12-08T09:15:02.347Z' AS answered_at, 7 AS multiplier, 8 AS "
                          "table_row, '56' AS answer, 'richtig' AS outcome, 900 AS response_ms "
                          "FROM n; PRAGMA user_version = 1");
         },
         Found::Foreign, 0},
    };
    for (const auto& c : cases) {
        JournalFolder folder;
        const fs::path stick = folder.Folder() / "stick";
        fs::create_directories(stick);
        c.make(folder, stick);
        const auto before = FolderContent(stick);

        std::vector<RecordedAnswer> answers;
        const JournalReading reading = ReadJournalReadOnly(
            stick / "Anna.sqlite",
            [&answers](const SqliteConnection& connection) {
                answers = ReadRecordedAnswers(connection);
            },
            JournalOrigin::Copy);
        EXPECT_EQ(reading.found, c.found) << c.name << ": " << reading.problem;
        EXPECT_EQ(answers.size(), c.answers) << c.name;
        EXPECT_EQ(FolderContent(stick), before) << c.name;
    }
}

TEST(ReadOnlyJournal, ReadsEveryVersionAndRefusesOtherShapes) {
    const struct {
        const char* name;
        const char* edit;
        Found found;
    } cases[] = {
        {"version 3", "", Found::Answers},
        {"version 2", "DROP TABLE typing; PRAGMA user_version = 2", Found::Answers},
        {"version 1", "DROP TABLE typing; DROP TABLE child; PRAGMA user_version = 1",
         Found::Answers},
        {"version 3 without typing checks", "DROP TABLE typing", Found::Foreign},
        {"typing checks without their time",
         "DROP TABLE typing; CREATE TABLE typing (id INTEGER PRIMARY KEY, checked_at TEXT, shown "
         "TEXT, typed TEXT)",
         Found::Foreign},
        {"typing checks as a view",
         "DROP TABLE typing; CREATE VIEW typing AS SELECT 1 AS id, '' AS checked_at, '' AS shown, "
         "'' AS typed, 0 AS response_ms",
         Found::Foreign},
        {"version 2 without the child",
         "DROP TABLE typing; DROP TABLE child; PRAGMA user_version = 2", Found::Foreign},
        {"version 4", "PRAGMA user_version = 4", Found::Newer},
    };
    for (const auto& c : cases) {
        JournalFolder folder;
        folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});
        {
            const SqliteConnection editor(folder.Path());
            editor.Execute(c.edit);
            editor.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
        }
        const std::string before = FileBytes(folder.Path());
        std::size_t answers = 0;
        const JournalReading reading =
            ReadJournalReadOnly(folder.Path(), [&answers](const SqliteConnection& connection) {
                answers = ReadRecordedAnswers(connection).size();
                ReadNewestTypingCheck(connection);
            });
        EXPECT_EQ(reading.found, c.found) << c.name << ": " << reading.problem;
        EXPECT_EQ(answers, c.found == Found::Answers ? 1u : 0u) << c.name;
        EXPECT_EQ(FileBytes(folder.Path()), before) << c.name;
    }
}

TEST(ReadOnlyJournal, AReadingPastItsBudgetStops) {
    JournalFolder folder;
    folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});
    SqliteConnection connection(folder.Path(), SqliteAccess::ReadOnly);
    connection.SetTimeBudget(std::chrono::milliseconds(50));
    try {
        connection.QueryInteger("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < 1000000000) SELECT count(*) FROM n");
        FAIL() << "no end to the budget";
    } catch (const SqliteError& error) {
        EXPECT_EQ(error.PrimaryCode(), SQLITE_INTERRUPT);
    }
}

} // namespace
