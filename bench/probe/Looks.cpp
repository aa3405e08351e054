#include "bench/probe/Commands.h"
#include "bench/probe/FolderOpens.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

int Looks(const Arguments& arguments) {
    if (arguments.size() != 3) {
        std::fprintf(stderr, "looks: PID SECONDS FOLDER\n");
        return 2;
    }
    const std::string stat = "/proc/" + arguments[0] + "/stat";
    // utime and stime, the 14th and 15th fields, in clock ticks.
    const auto cpuTicks = [&stat] {
        std::ifstream in(stat);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        long ticks = 0;
        for (int index = 3; fields >> field && index <= 15; ++index) {
            ticks += index >= 14 ? std::stol(field) : 0;
        }
        return ticks;
    };
    FolderOpens opens(arguments[2]);
    const Clock::time_point from = Clock::now();
    const long before = cpuTicks();
    std::this_thread::sleep_for(std::chrono::duration<double>(std::stod(arguments[1])));
    const long after = cpuTicks();
    const Clock::time_point to = Clock::now();
    const double cpu =
        static_cast<double>(after - before) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    const double wall = MillisecondsBetween(from, to);
    // Each look opens the folder twice: for the pupils' files and for the assignments.
    std::printf("cpu_ms=%.0f wall_ms=%.0f looks=%d core_percent=%.3f\n", cpu, wall,
                opens.FolderOpenings(from, to) / 2, 100.0 * cpu / wall);
    return 0;
}
