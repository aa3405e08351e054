#include "bench/probe/Commands.h"
#include "bench/probe/XServer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

// Voluntary and involuntary context switches per thread: a thread that wakes up switches at
// least once.
std::map<std::string, long> ContextSwitches(const std::string& pid) {
    std::map<std::string, long> switches;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + pid + "/task", error)) {
        std::ifstream status(task.path() / "status");
        std::string line;
        long& total = switches[task.path().filename().string()];
        while (std::getline(status, line)) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                total += std::stol(line.substr(line.find(':') + 1));
            }
        }
    }
    return switches;
}

// Wakeups of the threads that lived through the whole time; a pool thread that ends after its
// idle expiry wakes once to do so, which is not a wakeup of a waiting program.
long WakeupsBetween(const std::map<std::string, long>& before,
                    const std::map<std::string, long>& after) {
    long wakeups = 0;
    for (const auto& [thread, switches] : after) {
        const auto earlier = before.find(thread);
        if (earlier != before.end()) {
            wakeups += switches - earlier->second;
        }
    }
    return wakeups;
}

} // namespace

int Idle(const Arguments& arguments) {
    if (arguments.size() != 2) {
        std::fprintf(stderr, "idle: PID SECONDS\n");
        return 2;
    }
    const std::string& pid = arguments[0];
    const double seconds = std::stod(arguments[1]);
    XServer server;
    server.DrainUntilQuiet(50);
    const std::map<std::string, long> before = ContextSwitches(pid);
    const Clock::time_point deadline = MillisecondsFromNow(seconds * 1000);
    int drawn = 0;
    while (server.Next(deadline)) {
        ++drawn;
    }
    const long wakeups = WakeupsBetween(before, ContextSwitches(pid));
    std::printf("wakeups_per_s=%.2f\nrepaints=%d\n", static_cast<double>(wakeups) / seconds, drawn);
    return 0;
}
