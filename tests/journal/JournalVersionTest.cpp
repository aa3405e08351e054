#include "journal/Journal.h"
#include "journal/JournalReader.h"
#include "journal/SqliteCompanions.h"
#include "tests/journal/JournalFolder.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;

// A journal as an older version of the program left it: today's without the tables that came
// later, with one round of three answers, and maybe a table a teacher's tool added.
void MakeOlderJournal(const fs::path& path, int version, const std::string& added) {
    {
        JournalRecorder recorder(path, [] { return kMorning; });
        recorder.RoundStarted(kRound);
        for (const AnswerOutcome outcome :
             {AnswerOutcome::Right, AnswerOutcome::Wrong, AnswerOutcome::Empty}) {
            recorder.Answered(Answer(7, 3, outcome));
        }
    }
    const std::string dropped =
        version < 2 ? "DROP TABLE typing; DROP TABLE child; " : "DROP TABLE typing; ";
    SqliteConnection(path).Execute(
        (dropped + "PRAGMA user_version = " + std::to_string(version) + "; " + added).c_str());
}

const std::function<std::string(JournalFolder&)> kDrillRecords = [](JournalFolder& folder) {
    folder.PlayRound(kRound, {Answer(9, 7, AnswerOutcome::Right)});
    return folder.Errors();
};
const std::function<std::string(JournalFolder&)> kNameStored = [](JournalFolder& folder) {
    try {
        StoreJournalName(folder.Path(), "Anna");
    } catch (const std::runtime_error& error) {
        return std::string(error.what());
    }
    return std::string();
};
const std::function<std::string(JournalFolder&)> kTypingChecked = [](JournalFolder& folder) {
    folder.Recorder().TypingChecked({{"47", "47", 2100}});
    return folder.Errors();
};

TEST(JournalVersion, OlderVersionsAreUpgradedByTheFirstWriteLosingNothing) {
    const struct {
        const char* name;
        int version;
        std::function<std::string(JournalFolder&)> write;
        std::int64_t answers;
        std::string childName;
        std::int64_t typed;
    } cases[] = {{"version 1, the drill records", 1, kDrillRecords, 4, "", 0},
                 {"version 1, a name is stored", 1, kNameStored, 3, "Anna", 0},
                 {"version 2, the drill records", 2, kDrillRecords, 4, "", 0},
                 {"version 2, a name is stored", 2, kNameStored, 3, "Anna", 0},
                 {"version 2, a typing check is kept", 2, kTypingChecked, 3, "", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalFolder folder;
        MakeOlderJournal(folder.Path(), c.version, "");
        fs::copy_file(folder.Path(), folder.Folder() / "before.sqlite");

        EXPECT_EQ(c.write(folder), "");
        const SqliteConnection journal(folder.Path());
        EXPECT_EQ(SchemaOf(journal), PublishedSchema(folder.Folder() / "reference.sqlite"));
        journal.Prepare("ATTACH ? AS before")
            .Bind(1, (folder.Folder() / "before.sqlite").string())
            .Run();
        EXPECT_EQ(journal.QueryInteger(
                      "SELECT (SELECT count(*) FROM (SELECT * FROM before.rounds EXCEPT SELECT * "
                      "FROM rounds)) + (SELECT count(*) FROM (SELECT * FROM before.answers EXCEPT "
                      "SELECT * FROM answers))"),
                  0);
        EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM answers"), c.answers);
        EXPECT_EQ(ReadChildName(journal), c.childName);
        EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM typing"), c.typed);
    }
}

// A half-upgraded journal would count as foreign and be moved aside at the next opening.
TEST(JournalVersion, JournalThatCannotBeUpgradedIsLeftAsItWasAndNamed) {
    const struct {
        const char* name;
        int version;
        const char* added;
        std::function<std::string(JournalFolder&)> write;
    } cases[] = {
        {"the drill, a teacher's tool made a table child", 1, "CREATE TABLE child (note TEXT)",
         kDrillRecords},
        {"a name, disk full", 1, "",
         [](JournalFolder& folder) {
             // The Lernstand has the journal open, so its shared index is there already.
             const SqliteConnection lernstand(folder.Path());
             lernstand.QueryInteger("SELECT count(*) FROM answers");
             const FileSizeLimit full(0);
             return kNameStored(folder);
         }},
        {"a typing check, a teacher's tool made a table typing", 2,
         "CREATE TABLE typing (note TEXT)", kTypingChecked},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalFolder folder;
        MakeOlderJournal(folder.Path(), c.version, c.added);
        const std::string before = FileBytes(folder.Path());

        const std::string message = c.write(folder);
        EXPECT_NE(
            message.find("Lernstand der Version " + std::to_string(c.version) + " kann nicht"),
            std::string::npos)
            << message;
        EXPECT_EQ(FileBytes(folder.Path()), before);
        EXPECT_EQ(FileBytes(WriteAheadLogOf(folder.Path())), "");
        EXPECT_EQ(SqliteConnection(folder.Path()).QueryInteger("PRAGMA user_version"), c.version);
    }
}

} // namespace
