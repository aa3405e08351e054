#include "lernstand/JournalFile.h"

#include "journal/JournalRecorder.h"
#include "journal/JournalSchema.h"
#include "journal/ReadOnlyJournal.h"
#include "journal/SqliteConnection.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempConfigDir.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using Found = JournalReading::Found;

enum class Content { Journal, Shopping, Newer };

struct FileCase {
    std::string name;
    Content content;
    // A write-protected stick, or a shared folder this user may only read.
    bool readOnlyFolder;
    Found found;
};

void PrintTo(const FileCase& c, std::ostream* out) {
    *out << c.name;
}

const FileCase kCases[] = {
    {"a journal", Content::Journal, false, Found::Answers},
    {"a journal in a folder that cannot be written", Content::Journal, true, Found::Answers},
    {"a shopping list", Content::Shopping, true, Found::Unreadable},
    {"a journal of a newer version", Content::Newer, false, Found::Newer},
};

void Prepare(Content content, const fs::path& file) {
    if (content == Content::Journal) {
        JournalRecorder recorder(file,
                                 [] { return *ParseJournalTime("2026-12-08T09:15:02.347Z"); });
        recorder.RoundStarted({10, true, 5, {8}});
        recorder.Answered({7, 8, "54", AnswerOutcome::Wrong, 4200});
        recorder.RoundStarted({10, true, 5, {8}});
        recorder.Answered({7, 8, "56", AnswerOutcome::Right, 2000});
    } else if (content == Content::Newer) {
        SqliteConnection(file).Execute(
            ("CREATE TABLE later (x); PRAGMA user_version = " + std::to_string(kJournalVersion + 1))
                .c_str());
    } else {
        std::ofstream(file, std::ios::binary) << "Milch, Brot";
    }
}

class JournalFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(JournalFileTest, ReadsWithoutChangingTheFile) {
    const FileCase& c = GetParam();
    const TempConfigDir temp;
    const fs::path stick = temp.Path() / "stick";
    fs::create_directories(stick);
    const fs::path file = stick / "Lernstand.sqlite";
    Prepare(c.content, file);
    const std::string before = FileBytes(file);
    using fs::perms;
    const perms readable = perms::owner_read | perms::group_read | perms::others_read |
                           perms::owner_exec | perms::group_exec | perms::others_exec;
    fs::permissions(temp.Path(), readable | perms::owner_write);
    fs::permissions(stick, c.readOnlyFolder ? readable : perms::all);

    {
        const WithoutRootPrivilege nobody;
        const JournalReading reading = ReadJournalReadOnly(file, [](const SqliteConnection&) {});
        EXPECT_EQ(reading.found, c.found) << reading.problem;
        if (c.found == Found::Answers) {
            const std::vector<JournalAnswer> answers = ReadAnswersWithRounds(file);
            ASSERT_EQ(answers.size(), 2U);
            EXPECT_EQ(answers[1].problem.answer, "56");
            EXPECT_EQ(answers[1].round.id, 2);
        } else {
            EXPECT_THROW(ReadAnswersWithRounds(file), std::runtime_error);
        }
    }
    fs::permissions(stick, perms::owner_all);
    EXPECT_EQ(FileBytes(file), before);
}

INSTANTIATE_TEST_SUITE_P(JournalFile, JournalFileTest, testing::ValuesIn(kCases));

} // namespace
