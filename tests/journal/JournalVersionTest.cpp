#include "journal/Journal.h"
#include "journal/JournalReader.h"
#include "journal/ReadOnlyJournal.h"
#include "journal/SqliteCompanions.h"
#include "tests/journal/JournalFolder.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A journal as the program's first version left it: in write-ahead-log mode, with two rounds and
// three answers.
void MakeVersionOneJournal(const fs::path& path) {
    fs::create_directories(path.parent_path());
    const SqliteConnection journal(path);
    journal.Execute("PRAGMA journal_mode = WAL");
    journal.Execute(FileBytes(FIXTURE_DIR "/schema-v1.sql").c_str());
    journal.Execute("INSERT INTO rounds VALUES (1, '2026-11-30T14:02:11.500Z', 10, 1, 5, '3,7'), "
                    "(2, '2026-12-01T15:40:00.000Z', 20, 0, 5, '8');"
                    "INSERT INTO answers VALUES (1, 1, '2026-11-30T14:02:15.020Z', 7, 3, '21', "
                    "'richtig', 3520), "
                    "(2, 1, '2026-11-30T14:02:19.900Z', 4, 7, '24', 'falsch', 4880), "
                    "(3, 2, '2026-12-01T15:40:02.250Z', 6, 8, '', 'leer', 2250)");
}

// Every row of the version-1 tables as the journal held them before.
std::string OldRows(const SqliteConnection& journal) {
    SqliteStatement rows = journal.Prepare(
        "SELECT printf('%s', r.id || r.started_at || r.problem_total || r.timed || r.step_tenths "
        "|| "
        "r.rows || a.id || a.answered_at || a.multiplier || a.table_row || a.answer || a.outcome "
        "|| "
        "a.response_ms) FROM rounds r JOIN answers a ON a.round_id = r.id WHERE a.id <= 3 "
        "ORDER BY a.id");
    std::string text;
    while (rows.Step()) {
        text += rows.Text(0) + "\n";
    }
    return text;
}

TEST(JournalVersion, VersionOneIsUpgradedByTheFirstWriteLosingNothing) {
    const struct {
        const char* name;
        std::function<void(JournalFolder&)> write;
        std::int64_t answers;
        std::string childName;
    } cases[] = {
        {"the drill records an answer",
         [](JournalFolder& folder) {
             folder.PlayRound(kRound, {Answer(9, 7, AnswerOutcome::Right)});
         },
         4, ""},
        {"a name is stored", [](JournalFolder& folder) { StoreJournalName(folder.Path(), "Anna"); },
         3, "Anna"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalFolder folder;
        MakeVersionOneJournal(folder.Path());
        const std::string before = OldRows(SqliteConnection(folder.Path()));

        c.write(folder);
        const SqliteConnection journal(folder.Path());
        EXPECT_EQ(SchemaOf(journal), PublishedSchema(folder.Folder() / "reference.sqlite"));
        EXPECT_EQ(OldRows(journal), before);
        EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM answers"), c.answers);
        EXPECT_EQ(ReadChildName(journal), c.childName);
        EXPECT_EQ(folder.Errors(), "");
    }
}

// Left as it was, in one piece: the upgrade is one transaction, and a half-upgraded journal
// would be taken for a foreign file and moved aside at the next opening.
TEST(JournalVersion, JournalThatCannotBeUpgradedIsLeftAsItWasAndNamed) {
    const struct {
        const char* name;
        // A teacher's tool may have added a table of its own.
        const char* before;
        std::function<std::string(JournalFolder&)> write;
    } cases[] = {
        {"the drill, a table named child there already", "CREATE TABLE child (note TEXT)",
         [](JournalFolder& folder) {
             folder.PlayRound(kRound, {Answer(9, 7, AnswerOutcome::Right)});
             return folder.Errors();
         }},
        {"the Lernstand, a table named child there already", "CREATE TABLE child (note TEXT)",
         [](JournalFolder& folder) {
             try {
                 StoreJournalName(folder.Path(), "Anna");
             } catch (const std::runtime_error& error) {
                 return std::string(error.what()) + " " + folder.Path().string();
             }
             return std::string();
         }},
        {"the drill, disk full", "SELECT 1",
         [](JournalFolder& folder) {
             const FileSizeLimit full(0);
             folder.PlayRound(kRound, {Answer(9, 7, AnswerOutcome::Right)});
             return folder.Errors();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalFolder folder;
        MakeVersionOneJournal(folder.Path());
        SqliteConnection(folder.Path()).Execute(c.before);
        const std::string before = FileBytes(folder.Path());

        const std::string message = c.write(folder);
        EXPECT_NE(message.find(folder.Path().string()), std::string::npos) << message;
        EXPECT_EQ(FileBytes(folder.Path()), before);
        EXPECT_EQ(FileBytes(WriteAheadLogOf(folder.Path())), "");
        for (const fs::directory_entry& file :
             fs::directory_iterator(folder.Path().parent_path())) {
            EXPECT_EQ(file.path().string().find("beschaedigt"), std::string::npos) << file.path();
        }
        const SqliteConnection journal(folder.Path());
        EXPECT_EQ(journal.QueryInteger("PRAGMA user_version"), 1);
        EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM answers"), 3);
    }
}

TEST(JournalVersion, NameIsKeptReadBackAndNeverForcedOnAForeignFile) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> prepare;
        std::vector<std::string> names;
        std::string readBack;
        bool refused;
    } cases[] = {
        {"no journal yet", [](const fs::path&) {}, {"Anna"}, "Anna", false},
        {"renamed",
         [](const fs::path&) {},
         {"Anna", "Anna-Lena Özdemir"},
         "Anna-Lena Özdemir",
         false},
        {"cleared", [](const fs::path&) {}, {"Anna", ""}, "", false},
        {"a shopping list in its place",
         [](const fs::path& path) { WriteBytes(path, "Milch, Brot"); },
         {"Anna"},
         "",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalFolder folder;
        c.prepare(folder.Path());
        const std::string before = FileBytes(folder.Path());
        for (const std::string& name : c.names) {
            EXPECT_EQ(c.refused, [&] {
                try {
                    StoreJournalName(folder.Path(), name);
                    return false;
                } catch (const std::runtime_error&) {
                    return true;
                }
            }());
        }
        if (c.refused) {
            EXPECT_EQ(FileBytes(folder.Path()), before);
            continue;
        }
        std::string read = "unread";
        const JournalReading reading =
            ReadJournalReadOnly(folder.Path(), [&read](const SqliteConnection& journal) {
                read = ReadChildName(journal);
            });
        EXPECT_EQ(reading.found, JournalReading::Found::Answers);
        EXPECT_EQ(read, c.readBack);
        EXPECT_EQ(SchemaOf(SqliteConnection(folder.Path())),
                  PublishedSchema(folder.Folder() / "reference.sqlite"));
    }
}

} // namespace
