#include "journal/Journal.h"
#include "tests/journal/JournalFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& folder, const std::string& prefix) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(prefix)) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A database made by a fresh connection from the given statements.
std::string DatabaseBytes(const fs::path& scratch, const char* sql) {
    SqliteConnection(scratch).Execute(sql);
    return FileBytes(scratch);
}

TEST(JournalFailures, NoJournalInPlaceIsMovedAsideWithItsCompanions) {
    struct Case {
        const char* name;
        std::function<std::string(const fs::path& scratch)> file;
    };
    const std::vector<Case> cases = {
        {"text file", [](const fs::path&) { return std::string("Einmaleins\n", 11); }},
        {"zeroed header",
         [](const fs::path& scratch) {
             std::string bytes =
                 DatabaseBytes(scratch, "PRAGMA user_version = 1; CREATE TABLE t(x)");
             std::fill_n(bytes.begin(), 100, '\0');
             return bytes;
         }},
        {"foreign database",
         [](const fs::path& scratch) {
             return DatabaseBytes(scratch, "CREATE TABLE notes(text)");
         }},
        {"version 1 without answers",
         [](const fs::path& scratch) {
             return DatabaseBytes(scratch, "PRAGMA user_version = 1; CREATE TABLE rounds(id)");
         }},
    };
    for (const Case& c : cases) {
        JournalFolder folder;
        const std::string damaged = c.file(folder.Folder() / "scratch.sqlite");
        WriteBytes(folder.Path(), damaged);
        WriteBytes(fs::path(folder.Path().string() + "-wal"), "log");
        folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});

        const std::string aside = "Lernstand.sqlite.beschaedigt-20261208T091502Z";
        EXPECT_EQ(Names(folder.Path().parent_path(), aside),
                  (std::vector{aside, aside + "-shm", aside + "-wal"}))
            << c.name;
        EXPECT_EQ(FileBytes(folder.Path().parent_path() / aside), damaged) << c.name;
        EXPECT_EQ(FileBytes(folder.Path().parent_path() / (aside + "-wal")), "log") << c.name;
        EXPECT_EQ(folder.Count("answers"), 1) << c.name;
        EXPECT_EQ(Lines(folder.Errors()), 1u) << c.name << ": " << folder.Errors();
    }
}

TEST(JournalFailures, RecordingFailsQuietlyAndOncePerRound) {
    struct Case {
        const char* name;
        std::function<void(const JournalFolder&)> prepare;
        std::function<void(JournalFolder&)> play;
    };
    const auto playTwoRounds = [](JournalFolder& folder) {
        for (int round = 0; round < 2; ++round) {
            folder.PlayRound(kRound, std::vector(3, Answer(2, 3, AnswerOutcome::Right)));
        }
    };
    const auto asNobody = [playTwoRounds](JournalFolder& folder) {
        const WithoutRootPrivilege user;
        playTwoRounds(folder);
    };
    const auto readOnly = [](const fs::path& folder) {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    };
    const std::vector<Case> cases = {
        {"newer schema",
         [](const JournalFolder& folder) {
             WriteBytes(folder.Path(), DatabaseBytes(folder.Folder() / "scratch.sqlite",
                                                     "PRAGMA user_version = 2; CREATE TABLE t(x)"));
         },
         playTwoRounds},
        {"data folder not writable",
         [readOnly](const JournalFolder& folder) { readOnly(folder.Folder()); }, asNobody},
        {"journal folder not writable",
         [readOnly](const JournalFolder& folder) { readOnly(folder.Path().parent_path()); },
         asNobody},
        {"full disk", [](const JournalFolder&) {},
         [playTwoRounds](JournalFolder& folder) {
             const FileSizeLimit full(0);
             playTwoRounds(folder);
         }},
    };
    for (const Case& c : cases) {
        JournalFolder folder;
        c.prepare(folder);
        const bool existed = fs::exists(folder.Path());
        const std::string before = FileBytes(folder.Path());
        c.play(folder);

        EXPECT_EQ(Lines(folder.Errors()), 2u) << c.name << ": one line per round\n"
                                              << folder.Errors();
        EXPECT_NE(folder.Errors().find("Kalkuno: Lernstand nicht gespeichert: "), std::string::npos)
            << c.name;
        if (existed) {
            EXPECT_EQ(FileBytes(folder.Path()), before) << c.name;
        } else {
            EXPECT_TRUE(!fs::exists(folder.Path()) || fs::file_size(folder.Path()) == 0) << c.name;
        }
    }
}

// Runs work in a child process that dies with the test at the latest.
pid_t Spawn(const std::function<int()>& work) {
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        _exit(work());
    }
    return pid;
}

int ExitCode(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(JournalFailures, TwoProgramsRecordingAtOnceLoseNothing) {
    constexpr int kRounds = 30;
    constexpr int kAnswersPerRound = 10;
    JournalFolder folder;
    const auto play = [&folder](std::int32_t multiplier) {
        return [&folder, multiplier] {
            std::ostringstream errors;
            JournalRecorder recorder(
                folder.Path(), [] { return kMorning; }, errors);
            for (int round = 0; round < kRounds; ++round) {
                recorder.RoundStarted(kRound);
                for (std::int32_t row = 1; row <= kAnswersPerRound; ++row) {
                    recorder.Answered(Answer(multiplier, row, AnswerOutcome::Right));
                }
            }
            return errors.str().empty() ? 0 : 1;
        };
    };
    const pid_t first = Spawn(play(1));
    const pid_t second = Spawn(play(2));
    EXPECT_EQ(ExitCode(first), 0);
    EXPECT_EQ(ExitCode(second), 0);

    const SqliteConnection journal(folder.Path());
    EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM rounds"), 2 * kRounds);
    for (const int multiplier : {1, 2}) {
        EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM answers JOIN rounds r ON r.id = "
                                       "round_id WHERE multiplier = " +
                                       std::to_string(multiplier)),
                  kRounds * kAnswersPerRound);
    }
}

} // namespace
