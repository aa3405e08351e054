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

// A journal as the program's first version left it: today's without the table child, with one
// round of three answers, and maybe a table a teacher's tool added.
void MakeVersionOneJournal(const fs::path& path, const std::string& added) {
    {
        JournalRecorder recorder(path, [] { return kMorning; });
        recorder.RoundStarted(kRound);
        for (const AnswerOutcome outcome :
             {AnswerOutcome::Right, AnswerOutcome::Wrong, AnswerOutcome::Empty}) {
            recorder.Answered(Answer(7, 3, outcome));
        }
    }
    SqliteConnection(path).Execute(("DROP TABLE child; PRAGMA user_version = 1; " + added).c_str());
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

TEST(JournalVersion, VersionOneIsUpgradedByTheFirstWriteLosingNothing) {
    const struct {
        const char* name;
        std::function<std::string(JournalFolder&)> write;
        std::int64_t answers;
        std::string childName;
    } cases[] = {{"the drill records", kDrillRecords, 4, ""},
                 {"a name is stored", kNameStored, 3, "Anna"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalFolder folder;
        MakeVersionOneJournal(folder.Path(), "");
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
    }
}

// A half-upgraded journal would count as foreign and be moved aside at the next opening.
TEST(JournalVersion, JournalThatCannotBeUpgradedIsLeftAsItWasAndNamed) {
    const struct {
        const char* name;
        const char* added;
        std::function<std::string(JournalFolder&)> write;
    } cases[] = {
        {"the drill, a teacher's tool made a table child", "CREATE TABLE child (note TEXT)",
         kDrillRecords},
        {"a name, disk full", "",
         [](JournalFolder& folder) {
             // The Lernstand has the journal open, so its shared index is there already.
             const SqliteConnection lernstand(folder.Path());
             lernstand.QueryInteger("SELECT count(*) FROM answers");
             const FileSizeLimit full(0);
             return kNameStored(folder);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalFolder folder;
        MakeVersionOneJournal(folder.Path(), c.added);
        const std::string before = FileBytes(folder.Path());

        const std::string message = c.write(folder);
        EXPECT_NE(message.find("Lernstand der Version 1 kann nicht"), std::string::npos) << message;
        EXPECT_EQ(FileBytes(folder.Path()), before);
        EXPECT_EQ(FileBytes(WriteAheadLogOf(folder.Path())), "");
        EXPECT_EQ(SqliteConnection(folder.Path()).QueryInteger("PRAGMA user_version"), 1);
    }
}

} // namespace
