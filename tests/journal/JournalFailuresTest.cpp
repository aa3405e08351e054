#include "journal/Journal.h"
#include "journal/JournalSchema.h"
#include "journal/SqliteCompanions.h"
#include "tests/journal/JournalFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <iostream>
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
        // Statements that make the file, none for a text file.
        std::string sql;
        // Bytes from here on are overwritten.
        std::size_t garbledFrom;
    };
    const std::string journal = FileBytes(FIXTURE_DIR "/schema.sql");
    const std::vector<Case> cases = {
        {"text file", "", std::string::npos},
        {"damaged schema page", "PRAGMA user_version = 1; CREATE TABLE t(x)", 100},
        {"journal with damaged table pages", journal, 4096},
        {"foreign database", "CREATE TABLE notes(text)", std::string::npos},
        {"version 1 without answers", "PRAGMA user_version = 1; CREATE TABLE rounds(id)",
         std::string::npos},
    };
    for (const Case& c : cases) {
        JournalFolder folder;
        std::string damaged = "Einmaleins\n";
        if (!c.sql.empty()) {
            damaged = DatabaseBytes(folder.Folder() / "scratch.sqlite", c.sql.c_str());
        }
        if (c.garbledFrom < damaged.size()) {
            std::fill(damaged.begin() + static_cast<std::ptrdiff_t>(c.garbledFrom), damaged.end(),
                      'x');
        }
        WriteBytes(folder.Path(), damaged);
        WriteBytes(WriteAheadLogOf(folder.Path()), "log");
        folder.PlayRound(kRound, {Answer(2, 3, AnswerOutcome::Right)});

        const fs::path aside =
            folder.Path().parent_path() / "Lernstand.sqlite.beschaedigt-20261208T091502Z";
        EXPECT_EQ(Names(folder.Path().parent_path(), aside.filename().string()),
                  (std::vector{aside.filename().string(), SharedIndexOf(aside).filename().string(),
                               WriteAheadLogOf(aside).filename().string()}))
            << c.name;
        EXPECT_EQ(FileBytes(aside), damaged) << c.name;
        EXPECT_EQ(FileBytes(WriteAheadLogOf(aside)), "log") << c.name;
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
             const std::string newer =
                 "PRAGMA user_version = " + std::to_string(kJournalVersion + 1) +
                 "; CREATE TABLE t(x)";
             WriteBytes(folder.Path(),
                        DatabaseBytes(folder.Folder() / "scratch.sqlite", newer.c_str()));
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
    const auto play = [](const fs::path& path, std::int32_t multiplier) {
        return [path, multiplier] {
            std::ostringstream errors;
            JournalRecorder recorder(
                path, [] { return kMorning; }, errors);
            for (int round = 0; round < kRounds; ++round) {
                recorder.RoundStarted(kRound);
                for (std::int32_t row = 1; row <= kAnswersPerRound; ++row) {
                    recorder.Answered(Answer(multiplier, row, AnswerOutcome::Right));
                }
            }
            std::cerr << errors.str();
            return errors.str().empty() ? 0 : 1;
        };
    };
    // Both programs create the journal at once, a race that a few fresh starts bring out.
    for (int start = 0; start < 3; ++start) {
        const JournalFolder folder;
        const pid_t first = Spawn(play(folder.Path(), 1));
        const pid_t second = Spawn(play(folder.Path(), 2));
        EXPECT_EQ(ExitCode(first), 0);
        EXPECT_EQ(ExitCode(second), 0);

        const SqliteConnection journal(folder.Path());
        EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM rounds"), 2 * kRounds);
        EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM answers WHERE multiplier = 1"),
                  kRounds * kAnswersPerRound);
        EXPECT_EQ(journal.QueryInteger("SELECT count(*) FROM answers WHERE multiplier = 2"),
                  kRounds * kAnswersPerRound);
        EXPECT_EQ(Names(folder.Path().parent_path(), "Lernstand.sqlite.beschaedigt"),
                  std::vector<std::string>());
    }
}

} // namespace
