#include "journal/JournalCopy.h"

#include "journal/JournalReader.h"
#include "journal/ReadOnlyJournal.h"
#include "journal/SqliteCompanions.h"
#include "tests/journal/JournalFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/JournalAnswers.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Problem = JournalCopy::Problem;
using fs::perms;

constexpr perms kReadOnly = perms::owner_read | perms::owner_exec | perms::group_read |
                            perms::group_exec | perms::others_read | perms::others_exec;

void AwaitAnswers(const fs::path& journal, std::int64_t answers) {
    while (CountAnswers(journal, JournalOrigin::Own) < answers) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TEST(JournalCopy, HoldsTheAnswersBeforeItStartedWhileTheDrillRecordsAndOpensAnywhere) {
    JournalFolder folder;
    StoreJournalName(folder.Path(), "Anna");
    const std::vector<TypedNumber> typed = {{"47", "47", 2100}, {"18", "81", 900}};
    folder.Recorder().TypingChecked(typed);
    std::atomic<bool> stop = false;
    std::int64_t answered = 0;
    std::thread drill([&] {
        JournalRecorder recorder(folder.Path(), [] { return kMorning; });
        for (; !stop; ++answered) {
            if (answered % 10 == 0) {
                recorder.RoundStarted(kRound);
            }
            recorder.Answered(
                Answer(static_cast<std::int32_t>(answered % 10) + 1, 7, AnswerOutcome::Right));
        }
    });
    AwaitAnswers(folder.Path(), 200);
    ASSERT_GT(fs::file_size(WriteAheadLogOf(folder.Path())), 0u) << "answers still in the log";
    const fs::path stick = folder.Folder() / "stick";
    fs::create_directories(stick);
    const fs::path copy = stick / "Lernstand-Anna-2026-12-08.sqlite";

    const std::int64_t before = CountAnswers(folder.Path(), JournalOrigin::Own);
    const JournalCopy made = CopyJournal(folder.Path(), copy);
    const std::int64_t after = CountAnswers(folder.Path(), JournalOrigin::Own);
    AwaitAnswers(folder.Path(), after + 100);
    stop = true;
    drill.join();

    ASSERT_EQ(made.problem, Problem::None) << made.detail;
    EXPECT_GE(made.answers, before);
    EXPECT_LE(made.answers, after);
    {
        const SqliteConnection live(folder.Path());
        live.Prepare("ATTACH ? AS copy").Bind(1, copy.string()).Run();
        EXPECT_EQ(live.QueryInteger("SELECT count(*) FROM (SELECT * FROM copy.answers EXCEPT "
                                    "SELECT * FROM main.answers)"),
                  0);
        EXPECT_EQ(live.QueryInteger("SELECT max(id) FROM copy.answers"), made.answers);
    }
    // The drill lost none, and its later answers reached only the journal.
    EXPECT_EQ(CountAnswers(folder.Path(), JournalOrigin::Own), answered);

    EXPECT_EQ(std::distance(fs::directory_iterator(stick), fs::directory_iterator()), 1);
    fs::permissions(folder.Folder(), perms::group_exec | perms::others_exec, fs::perm_options::add);
    fs::permissions(stick, kReadOnly);
    const WithoutRootPrivilege teacher;
    std::string name;
    std::optional<TypingCheck> check;
    const JournalReading reading = ReadJournalReadOnly(copy, [&](const SqliteConnection& journal) {
        name = ReadChildName(journal);
        check = ReadNewestTypingCheck(journal);
    });
    EXPECT_EQ(reading.found, JournalReading::Found::Answers) << reading.problem;
    EXPECT_EQ(name, "Anna");
    ASSERT_TRUE(check.has_value());
    EXPECT_EQ(check->numbers, typed);
    EXPECT_EQ(CountAnswers(copy), made.answers);
}

// A journal of that many answers, in a folder others may enter, as a pupil's home is.
fs::path OwnJournal(const TempConfigDir& temp, int answers) {
    const fs::path journal = temp.Path() / "Lernstand.sqlite";
    RecordWrongAnswers(journal, answers);
    fs::permissions(temp.Path(), perms::group_exec | perms::others_exec, fs::perm_options::add);
    return journal;
}

TEST(JournalCopy, AStickTakesTheWholeCopyOrNoFileAndTheJournalStaysUntouched) {
    const auto asUser = [](const fs::path& journal, const fs::path& copy) {
        const WithoutRootPrivilege user;
        return CopyJournal(journal, copy);
    };
    const struct {
        const char* name;
        std::function<void(const fs::path& stick)> prepare;
        std::function<JournalCopy(const fs::path& journal, const fs::path& copy)> copy;
        Problem problem;
    } cases[] = {
        {"stick full", [](const fs::path&) {},
         [](const fs::path& journal, const fs::path& copy) {
             // The reader's shared index of 32 KiB fits; the copy of 1000 answers does not.
             const FileSizeLimit full(48 * 1024);
             return CopyJournal(journal, copy);
         },
         Problem::TargetFull},
        {"stick write-protected", [](const fs::path& stick) { fs::permissions(stick, kReadOnly); },
         asUser, Problem::TargetReadOnly},
        {"stick pulled", [](const fs::path& stick) { fs::remove_all(stick); },
         [](const fs::path& journal, const fs::path& copy) { return CopyJournal(journal, copy); },
         Problem::TargetGone},
        {"cancelled", [](const fs::path&) {},
         [](const fs::path& journal, const fs::path& copy) {
             const std::atomic<bool> cancelled = true;
             return CopyJournal(journal, copy, cancelled);
         },
         Problem::Cancelled},
        {"the journal itself chosen", [](const fs::path&) {},
         [](const fs::path& journal, const fs::path&) { return CopyJournal(journal, journal); },
         Problem::TargetIsJournal},
        // A school's class folder where pupils may hand in but not look at each other's files.
        {"a folder the user may write but not list",
         [](const fs::path& stick) {
             fs::permissions(stick, perms::owner_all | perms::group_write | perms::group_exec |
                                        perms::others_write | perms::others_exec);
         },
         asUser, Problem::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempConfigDir temp;
        const fs::path journal = OwnJournal(temp, 1000);
        const fs::path stick = temp.Path() / "stick";
        fs::create_directories(stick);
        c.prepare(stick);
        const std::string before = FileBytes(journal);

        const JournalCopy made = c.copy(journal, stick / "Lernstand-Anna.sqlite");
        EXPECT_EQ(made.problem, c.problem) << made.detail;
        const bool copied = c.problem == Problem::None;
        EXPECT_EQ(fs::exists(stick) ? std::distance(fs::directory_iterator(stick), {}) : 0,
                  copied ? 1 : 0);
        EXPECT_EQ(CountAnswers(stick / "Lernstand-Anna.sqlite"), copied ? 1000 : -1);
        EXPECT_EQ(FileBytes(journal), before);
        EXPECT_EQ(CountAnswers(journal), 1000);
    }
}

// Written so long ago, judged without following a link.
void Age(const fs::path& file, std::chrono::minutes ago) {
    const std::time_t when = std::time(nullptr) - std::chrono::seconds(ago).count();
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << file;
}

// A copy killed or cut off earlier left its temporary files; the next copy into the folder removes
// them, and nothing else: not someone else's, not a young one another copy may still be writing,
// not a link, not a name of another pattern.
TEST(JournalCopy, TheNextCopySweepsOnlyItsOwnOldLeftovers) {
    const TempConfigDir temp;
    const fs::path journal = OwnJournal(temp, 1);
    const fs::path stick = temp.Path() / "stick";
    fs::create_directories(stick);
    fs::permissions(stick, perms::all);
    std::ofstream(stick / ".A.sqlite.unfertig-R00tAb") << "someone else's";
    Age(stick / ".A.sqlite.unfertig-R00tAb", std::chrono::hours(2));
    const struct {
        std::string name;
        std::chrono::minutes ago;
        bool swept;
    } files[] = {
        {".A.sqlite.unfertig-a1B2c3", std::chrono::hours(2), true},
        {".A.sqlite.unfertig-a1B2c3-journal", std::chrono::hours(2), true},
        {"B.sqlite.unfertig-Q7w8E9", std::chrono::hours(25), true},
        {".C.sqlite.unfertig-Zz9Yy8", std::chrono::minutes(50), false},
        {".D.sqlite.unfertig-L1nk00", std::chrono::hours(2), false},
        {"E.sqlite.unfertig-12345", std::chrono::hours(2), false},
        {"E.sqlite.unfertig-a1B2c3.bak", std::chrono::hours(2), false},
    };
    std::set<std::string> left{".A.sqlite.unfertig-R00tAb", "Kopie.sqlite", "Ziel"};
    {
        const WithoutRootPrivilege user;
        std::ofstream(stick / "Ziel") << "bleibt";
        for (const auto& file : files) {
            if (file.name.starts_with(".D")) {
                fs::create_symlink("Ziel", stick / file.name);
            } else {
                std::ofstream(stick / file.name) << "x";
            }
            Age(stick / file.name, file.ago);
            if (!file.swept) {
                left.insert(file.name);
            }
        }
        EXPECT_EQ(CopyJournal(journal, stick / "Kopie.sqlite").problem, Problem::None);
    }
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(stick)) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, left);
    EXPECT_EQ(FileBytes(stick / "Ziel"), "bleibt");
}

} // namespace
