#include "journal/JournalCopy.h"

#include "journal/JournalReader.h"
#include "journal/ReadOnlyJournal.h"
#include "journal/SqliteCompanions.h"
#include "journal/SqliteTransaction.h"
#include "tests/journal/JournalFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Problem = JournalCopy::Problem;

// -1 while there is no journal with its tables yet.
std::int64_t CountAnswers(const fs::path& journal) {
    std::int64_t answers = -1;
    ReadJournalReadOnly(journal, [&answers](const SqliteConnection& reader) {
        answers = reader.QueryInteger("SELECT count(*) FROM answers");
    });
    return answers;
}

// Waits until the journal holds at least that many answers.
void AwaitAnswers(const fs::path& journal, std::int64_t answers) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (CountAnswers(journal) < answers && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The drill in a process of its own: it records round after round until told to stop, then
// tells how many answers it gave, and exits with 0 when each was recorded.
class RecordingDrill {
public:
    explicit RecordingDrill(const fs::path& journal) {
        if (pipe(stop_) != 0 || pipe(told_) != 0) {
            throw std::runtime_error("no pipe");
        }
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            _exit(Record(journal));
        }
    }

    // Stops the drill and returns how many answers it gave, or -1 when one was not recorded.
    std::int64_t Stop() {
        std::int64_t answered = -1;
        if (write(stop_[1], "x", 1) != 1 || read(told_[0], &answered, sizeof answered) <= 0) {
            answered = -1;
        }
        int status = 0;
        waitpid(pid_, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? answered : -1;
    }

private:
    int Record(const fs::path& journal) {
        std::ostringstream errors;
        JournalRecorder recorder(
            journal, [] { return kMorning; }, errors);
        std::int64_t answered = 0;
        pollfd stop{stop_[0], POLLIN, 0};
        while (poll(&stop, 1, 0) == 0) {
            recorder.RoundStarted(kRound);
            for (std::int32_t multiplier = 1; multiplier <= 10; ++multiplier) {
                recorder.Answered(Answer(multiplier, 7, AnswerOutcome::Right));
                ++answered;
            }
        }
        const bool told = write(told_[1], &answered, sizeof answered) == sizeof answered;
        return told && errors.str().empty() ? 0 : 1;
    }

    int stop_[2]{};
    int told_[2]{};
    pid_t pid_ = -1;
};

TEST(JournalCopy, HoldsExactlyTheAnswersRecordedBeforeItStartedWhileTheDrillRecords) {
    const JournalFolder folder;
    const fs::path copy = folder.Folder() / "Lernstand-Anna-2026-12-08.sqlite";
    RecordingDrill drill(folder.Path());
    AwaitAnswers(folder.Path(), 200);
    ASSERT_GT(fs::file_size(WriteAheadLogOf(folder.Path())), 0u) << "answers still in the log";

    const std::int64_t before = CountAnswers(folder.Path());
    const JournalCopy made = CopyJournal(folder.Path(), copy);
    const std::int64_t after = CountAnswers(folder.Path());
    AwaitAnswers(folder.Path(), after + 100);
    const std::int64_t answered = drill.Stop();

    ASSERT_EQ(made.problem, Problem::None) << made.detail;
    EXPECT_GE(made.answers, before);
    EXPECT_LE(made.answers, after);
    EXPECT_EQ(CountAnswers(copy), made.answers);
    const SqliteConnection live(folder.Path(), SqliteAccess::ReadOnly);
    live.Prepare("ATTACH ? AS copy").Bind(1, copy.string()).Run();
    EXPECT_EQ(live.QueryInteger("SELECT count(*) FROM (SELECT * FROM copy.answers EXCEPT "
                                "SELECT * FROM main.answers WHERE id <= (SELECT max(id) FROM "
                                "copy.answers))"),
              0);
    EXPECT_EQ(live.QueryInteger("SELECT max(id) FROM copy.answers"), made.answers);
    // Later answers reach only the journal, and the drill lost none.
    EXPECT_EQ(answered, CountAnswers(folder.Path()));
    EXPECT_GT(answered, made.answers);
}

TEST(JournalCopy, OpensFromAWriteProtectedStickWithTheChildsName) {
    JournalFolder folder;
    // The drill stays open, so its answers are still in the log.
    folder.PlayRound(kRound,
                     {Answer(2, 3, AnswerOutcome::Right), Answer(4, 5, AnswerOutcome::Wrong),
                      Answer(6, 7, AnswerOutcome::Empty)});
    StoreJournalName(folder.Path(), "Anna");
    const fs::path stick = folder.Folder() / "stick";
    fs::create_directories(stick);
    const fs::path copy = stick / "Lernstand-Anna-2026-12-08.sqlite";

    ASSERT_EQ(CopyJournal(folder.Path(), copy).problem, Problem::None);
    EXPECT_EQ(std::distance(fs::directory_iterator(stick), fs::directory_iterator()), 1);
    using fs::perms;
    fs::permissions(folder.Folder(), perms::group_exec | perms::others_exec, fs::perm_options::add);
    fs::permissions(stick, perms::owner_read | perms::owner_exec | perms::group_read |
                               perms::group_exec | perms::others_read | perms::others_exec);
    const WithoutRootPrivilege teacher;
    std::vector<RecordedAnswer> answers;
    std::string name;
    const JournalReading reading = ReadJournalReadOnly(copy, [&](const SqliteConnection& journal) {
        answers = ReadRecordedAnswers(journal);
        name = ReadChildName(journal);
    });
    EXPECT_EQ(reading.found, JournalReading::Found::Answers) << reading.problem;
    EXPECT_EQ(answers.size(), 3u);
    EXPECT_EQ(name, "Anna");
}

TEST(JournalCopy, StickFailuresLeaveNoFileAndTheJournalUntouched) {
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
        {"stick write-protected",
         [](const fs::path& stick) {
             using fs::perms;
             fs::permissions(stick, perms::owner_read | perms::owner_exec | perms::group_read |
                                        perms::group_exec | perms::others_read |
                                        perms::others_exec);
         },
         [](const fs::path& journal, const fs::path& copy) {
             const WithoutRootPrivilege user;
             return CopyJournal(journal, copy);
         },
         Problem::TargetReadOnly},
        {"stick pulled", [](const fs::path& stick) { fs::remove_all(stick); }, CopyJournal,
         Problem::TargetGone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempConfigDir temp;
        const fs::path journal = temp.Path() / "data" / "Lernstand.sqlite";
        {
            JournalRecorder recorder(journal, [] { return kMorning; });
            recorder.RoundStarted(kRound);
            for (int answer = 0; answer < 1000; ++answer) {
                recorder.Answered(Answer(answer % 10 + 1, 7, AnswerOutcome::Right));
            }
        }
        fs::permissions(temp.Path(), fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add);
        const fs::path stick = temp.Path() / "stick";
        fs::create_directories(stick);
        c.prepare(stick);
        const std::string before = FileBytes(journal);

        const JournalCopy made = c.copy(journal, stick / "Lernstand-Anna-2026-12-08.sqlite");
        EXPECT_EQ(made.problem, c.problem) << made.detail;
        EXPECT_TRUE(!fs::exists(stick) ||
                    fs::directory_iterator(stick) == fs::directory_iterator());
        EXPECT_EQ(FileBytes(journal), before);
        EXPECT_EQ(CountAnswers(journal), 1000);
    }
}

} // namespace
