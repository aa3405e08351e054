#include "bench/probe/Commands.h"

#include <cstdio>
#include <exception>
#include <map>

// Measures the program from outside through the X server: when its windows are mapped and
// painted, what it draws while idle, and how fast keys take effect on screen.
int main(int argc, char* argv[]) {
    const std::map<std::string, int (*)(const Arguments&)> commands{
        {"launch", Launch},       {"idle", Idle},   {"open", Open},     {"answers", Answers},
        {"countdown", Countdown}, {"trace", Trace}, {"stats", Stats},   {"respond", Respond},
        {"check", Check},         {"quit", Quit},   {"follow", Follow}, {"looks", Looks}};
    const auto command = argc > 1 ? commands.find(argv[1]) : commands.end();
    if (command == commands.end()) {
        std::fprintf(
            stderr,
            "usage: %s launch|idle|open|answers|check|respond|countdown|quit|follow|looks|trace|"
            "stats ...\n",
            argv[0]);
        return 2;
    }
    try {
        return command->second(Arguments(argv + 2, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
}
