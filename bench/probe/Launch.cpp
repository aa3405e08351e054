#include "bench/probe/Commands.h"
#include "bench/probe/ShownWindow.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double kStartTimeoutMilliseconds = 20000;

pid_t Start(const Arguments& command) {
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

struct Options {
    std::string then;
    std::string titled;
    double settleMilliseconds = 0;
    std::string traceFile;
    std::string during;
};

// The options before the program; what follows them is the program and its arguments.
Options TakeOptions(Arguments& command) {
    Options options;
    while (command.size() >= 2 && command.front().starts_with("--")) {
        const std::string option = command[0];
        const std::string value = command[1];
        if (option == "--then") {
            options.then = value;
        } else if (option == "--window") {
            options.titled = value;
        } else if (option == "--settle") {
            options.settleMilliseconds = std::stod(value);
        } else if (option == "--trace") {
            options.traceFile = value;
        } else if (option == "--during") {
            options.during = value;
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
        command.erase(command.begin(), command.begin() + 2);
    }
    return options;
}

// Starts the shell command beside the program, while the probe goes on watching the screen.
pid_t StartDuring(const std::string& shellCommand) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", shellCommand.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

// Waits until nothing has been drawn in the window for the quiet time, and returns when the last
// drawing came; each drawing goes to the trace, if any, in milliseconds from started and pixels
// from the window's origin.
Clock::time_point WaitUntilSettled(XServer& server, const ShownWindow& shown, double quiet,
                                   Clock::time_point started, std::FILE* trace, int& drawn) {
    const auto quietTime = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double, std::milli>(quiet));
    const Clock::time_point giveUp = MillisecondsFromNow(kStartTimeoutMilliseconds * 3);
    Clock::time_point last = shown.painted;
    while (const std::optional<ScreenEvent> event =
               server.Next(std::min(last + quietTime, giveUp))) {
        if (event->kind != ScreenEvent::Kind::Drawn || !event->box.Intersects(shown.box)) {
            continue;
        }
        last = event->at;
        ++drawn;
        if (trace != nullptr) {
            std::fprintf(trace, "%.2f %d %d %d %d\n", MillisecondsBetween(started, event->at),
                         event->box.x - shown.box.x, event->box.y - shown.box.y, event->box.width,
                         event->box.height);
        }
    }
    return last;
}

// Tells the commands run after start-up the program, its window and when it was started.
void ExportWindow(pid_t program, const ShownWindow& home, Clock::time_point started) {
    const std::string pid = std::to_string(program);
    const std::string window = std::to_string(home.window);
    const std::string centre =
        std::to_string(home.box.CentreX()) + "," + std::to_string(home.box.CentreY());
    const std::string box = std::to_string(home.box.x) + "," + std::to_string(home.box.y) + "," +
                            std::to_string(home.box.width) + "," + std::to_string(home.box.height);
    const std::string startedAt = std::to_string(
        std::chrono::duration_cast<std::chrono::nanoseconds>(started.time_since_epoch()).count());
    setenv("PROBE_PID", pid.c_str(), 1);
    setenv("PROBE_WINDOW", window.c_str(), 1);
    setenv("PROBE_HOME", centre.c_str(), 1);
    setenv("PROBE_BOX", box.c_str(), 1);
    setenv("PROBE_STARTED_NS", startedAt.c_str(), 1);
}

void RunThen(const std::string& shellCommand) {
    std::fflush(stdout);
    if (std::system(shellCommand.c_str()) != 0) {
        std::fprintf(stderr, "the command after start-up failed: %s\n", shellCommand.c_str());
    }
}

} // namespace

int Launch(const Arguments& arguments) {
    Arguments command = arguments;
    const Options options = TakeOptions(command);
    if (command.empty()) {
        std::fprintf(stderr, "launch: no program given\n");
        return 2;
    }

    std::optional<ShownWindow> shown;
    Clock::time_point started;
    std::optional<Clock::time_point> settled;
    int drawnUntilSettled = 0;
    pid_t program = 0;
    pid_t during = 0;
    {
        XServer server;
        server.CloseOnExec();
        if (!server.WaitForEmptyScreen(kStartTimeoutMilliseconds)) {
            std::fprintf(stderr, "launch: a window of an earlier program is still on screen\n");
            return 1;
        }
        server.DrainUntilQuiet(20);
        started = Clock::now();
        program = Start(command);
        shown = WaitForShownWindow(server, MillisecondsFromNow(kStartTimeoutMilliseconds),
                                   options.titled);
        if (shown) {
            ExportWindow(program, *shown, started);
        }
        if (shown && !options.during.empty()) {
            during = StartDuring(options.during);
        }
        if (shown && options.settleMilliseconds > 0) {
            std::FILE* trace =
                options.traceFile.empty() ? nullptr : std::fopen(options.traceFile.c_str(), "w");
            settled = WaitUntilSettled(server, *shown, options.settleMilliseconds, started, trace,
                                       drawnUntilSettled);
            if (trace != nullptr) {
                std::fclose(trace);
            }
        }
    }
    int status = 0;
    if (shown) {
        std::printf("mapped_ms=%.2f\npainted_ms=%.2f\nwindow_size=%dx%d\n",
                    MillisecondsBetween(started, shown->mapped),
                    MillisecondsBetween(started, shown->painted), shown->box.width,
                    shown->box.height);
        if (settled) {
            std::printf("settled_ms=%.2f\ndrawn_after_paint=%d\n",
                        MillisecondsBetween(started, *settled), drawnUntilSettled);
        }
        if (during != 0) {
            int duringStatus = 0;
            waitpid(during, &duringStatus, 0);
        }
        if (!options.then.empty()) {
            RunThen(options.then);
        }
    } else {
        std::fprintf(stderr, "launch: no window was shown\n");
        status = 1;
    }
    kill(program, SIGTERM);
    int waitStatus = 0;
    rusage usage{};
    wait4(program, &waitStatus, 0, &usage);
    std::printf("peak_rss_kib=%ld\n", usage.ru_maxrss);
    return status;
}
