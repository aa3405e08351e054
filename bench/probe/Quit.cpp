#include "bench/probe/Commands.h"
#include "bench/probe/XServer.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

// The process has ended: it is gone, or a zombie its parent has not reaped yet.
bool Ended(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const std::size_t state = line.rfind(')');
    return state == std::string::npos || line.substr(state + 2, 1) == "Z";
}

} // namespace

int Quit(const Arguments& arguments) {
    const char* pid = std::getenv("PROBE_PID");
    const char* window = std::getenv("PROBE_WINDOW");
    if (!arguments.empty() || pid == nullptr || window == nullptr) {
        std::fprintf(stderr, "quit: no arguments, with PROBE_PID and PROBE_WINDOW set\n");
        return 2;
    }
    const unsigned long home = std::strtoul(window, nullptr, 10);
    XServer server;
    server.DrainUntilQuiet(20);
    const Clock::time_point asked = Clock::now();
    server.AskToClose(home);
    const Clock::time_point deadline = MillisecondsFromNow(5000);
    while (const std::optional<ScreenEvent> event = server.Next(deadline)) {
        if (event->kind == ScreenEvent::Kind::Unmapped && event->window == home) {
            std::printf("window_gone_ms=%.2f\n", MillisecondsBetween(asked, event->at));
            break;
        }
    }
    while (!Ended(pid)) {
        if (Clock::now() > deadline) {
            std::fprintf(stderr, "quit: the program still runs 5 s after its window was closed\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::printf("ended_ms=%.2f\n", MillisecondsBetween(asked, Clock::now()));
    return 0;
}
