#include "bench/probe/Commands.h"
#include "bench/probe/ShownWindow.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
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

void RunThen(const std::string& shellCommand, pid_t program, const ShownWindow& home) {
    const std::string pid = std::to_string(program);
    const std::string window = std::to_string(home.window);
    const std::string centre =
        std::to_string(home.box.CentreX()) + "," + std::to_string(home.box.CentreY());
    setenv("PROBE_PID", pid.c_str(), 1);
    setenv("PROBE_WINDOW", window.c_str(), 1);
    setenv("PROBE_HOME", centre.c_str(), 1);
    std::fflush(stdout);
    if (std::system(shellCommand.c_str()) != 0) {
        std::fprintf(stderr, "the command after start-up failed: %s\n", shellCommand.c_str());
    }
}

} // namespace

int Launch(const Arguments& arguments) {
    std::string then;
    Arguments command = arguments;
    if (command.size() >= 2 && command.front() == "--then") {
        then = command[1];
        command.erase(command.begin(), command.begin() + 2);
    }
    if (command.empty()) {
        std::fprintf(stderr, "launch: no program given\n");
        return 2;
    }

    std::optional<ShownWindow> shown;
    Clock::time_point started;
    pid_t program = 0;
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
        shown = WaitForShownWindow(server, MillisecondsFromNow(kStartTimeoutMilliseconds));
    }
    int status = 0;
    if (shown) {
        std::printf("mapped_ms=%.2f\npainted_ms=%.2f\nwindow_size=%dx%d\n",
                    MillisecondsBetween(started, shown->mapped),
                    MillisecondsBetween(started, shown->painted), shown->box.width,
                    shown->box.height);
        if (!then.empty()) {
            RunThen(then, program, *shown);
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
