#include "settings/IniFile.h"
#include "settings/SettingsStore.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kBase = "Kalkuno";
const std::string kSection = "Aufgaben";
constexpr int kRows = 20;

// Runs work in a child process that dies with the test at the latest.
pid_t Spawn(const std::function<void()>& work) {
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        work();
        _exit(0);
    }
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

// Files beside the settings file: temporary copies and the lock file of an unfinished save.
std::vector<std::string> Leftovers(const TempConfigDir& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.Path())) {
        if (entry.path() != dir.IniPath()) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

TEST(ConcurrentSaves, TwoProcessesLoseNoEntry) {
    const TempConfigDir dir;
    constexpr int kKeysEach = 1000;
    // Each key is written twice, so an entry holding its first value shows a lost update too.
    const auto writer = [](const std::string& prefix) {
        return [prefix] {
            for (int i = 0; i < kKeysEach; ++i) {
                for (const char* version : {"-old", "-new"}) {
                    const std::string key = prefix + std::to_string(i);
                    if (!ProfileWrite(kBase, kSection, key, key + version)) {
                        _exit(1);
                    }
                }
            }
        };
    };
    const pid_t first = Spawn(writer("a"));
    const pid_t second = Spawn(writer("b"));
    ASSERT_EQ(WaitFor(first), 0);
    ASSERT_EQ(WaitFor(second), 0);

    const std::string file = dir.ReadIni();
    int wrong = 0;
    for (const std::string prefix : {"a", "b"}) {
        for (int i = 0; i < kKeysEach; ++i) {
            const std::string key = prefix + std::to_string(i);
            wrong += IniFile::ReadValue(file, kSection, key) == key + "-new" ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0) << "entries lost or stale out of " << 2 * kKeysEach;
    EXPECT_TRUE(Leftovers(dir).empty());
}

// The whole file as the store writes it after the given values of rows 1 to 20.
std::string FileWith(const std::vector<long>& values) {
    std::string file = "[" + kSection + "]\n";
    for (std::size_t row = 1; row <= values.size(); ++row) {
        file += std::to_string(row) + "=w" + std::to_string(values.at(row - 1)) + "\n";
    }
    return file;
}

// The number of the write behind a value "w<n>", -1 for anything else.
long WriteNumber(const std::optional<std::string>& value) {
    if (!value || value->size() < 2 || value->front() != 'w') {
        return -1;
    }
    return std::stol(value->substr(1));
}

TEST(ConcurrentSaves, KilledWriterLeavesAWholeVersion) {
    const TempConfigDir dir;
    constexpr int kKills = 250;
    std::vector<long> values(kRows, 0);
    dir.WriteIni(FileWith(values));
    long next = kRows;
    int killsInsideASave = 0;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);

    for (int kill = 0; kill < kKills; ++kill) {
        // Write n changes row n % 20 + 1 to "w<n>", one write after the other until killed.
        const pid_t writer = Spawn([next] {
            for (long n = next;; ++n) {
                // Appended: GCC 12 at -O3 reports a false -Wrestrict for "w" + std::to_string(n).
                ProfileWrite(kBase, kSection, std::to_string(n % kRows + 1),
                             std::string("w").append(std::to_string(n)));
            }
        });
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(writer, SIGKILL);
        ASSERT_TRUE(WIFSIGNALED(WaitFor(writer)));

        // Writes land in order, so the newest value in the file tells how many were completed.
        const std::string file = dir.ReadIni();
        long newest = next - 1;
        for (int row = 1; row <= kRows; ++row) {
            newest = std::max(newest,
                              WriteNumber(IniFile::ReadValue(file, kSection, std::to_string(row))));
        }
        for (long n = next; n <= newest; ++n) {
            values.at(static_cast<std::size_t>(n % kRows)) = n;
        }
        next = newest + 1;
        ASSERT_EQ(file, FileWith(values)) << "after kill " << kill;

        const std::vector<std::string> leftovers = Leftovers(dir);
        // One unfinished save leaves at most its lock file and its temporary copy; older ones
        // must have been cleaned up by the writes since.
        ASSERT_LE(leftovers.size(), 2u) << "after kill " << kill;
        killsInsideASave += leftovers.empty() ? 0 : 1;
    }
    ASSERT_TRUE(ProfileWrite(kBase, kSection, "1", "done"));
    EXPECT_TRUE(Leftovers(dir).empty());
    // How many kills hit a save depends on the machine's load; the next test covers that case
    // without luck.
    std::cout << kKills << " kills, " << killsInsideASave << " inside a save, " << next - kRows
              << " writes completed\n";
}

TEST(ConcurrentSaves, SaveKilledBeforeItsRenameIsCleanedUpByTheNext) {
    const TempConfigDir dir;
    dir.WriteIni("[Aufgaben]\n1=on\n");
    // What a save killed between writing its copy and the rename leaves: its lock file and a
    // half-written copy.
    std::ofstream(dir.Path() / ".Kalkuno.ini.kalkuno-lock");
    std::ofstream(dir.Path() / ".Kalkuno.ini.kalkuno-save-a1B2c3") << "[Aufgaben]\n1=o";

    ASSERT_TRUE(ProfileWrite(kBase, kSection, "2", "off"));
    EXPECT_EQ(dir.ReadIni(), "[Aufgaben]\n1=on\n2=off\n");
    EXPECT_TRUE(Leftovers(dir).empty());
}

} // namespace
