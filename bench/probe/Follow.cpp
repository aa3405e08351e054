#include "bench/probe/Commands.h"
#include "bench/probe/FolderOpens.h"
#include "bench/probe/XServer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The class window's status and assignment lines take the top; below them the pupils' table
// stands in the left three fifths and the class's table in the right two.
constexpr int kTablesTop = 60;

// The last drawing in each table after from, until nothing has been drawn for the quiet time.
struct Drawn {
    std::optional<Clock::time_point> pupils;
    std::optional<Clock::time_point> facts;
};

Drawn AwaitDrawing(XServer& server, const Box& window, Clock::time_point deadline) {
    constexpr double kQuiet = 400;
    Drawn drawn;
    Clock::time_point until = deadline;
    while (const std::optional<ScreenEvent> event = server.Next(until)) {
        if (event->kind != ScreenEvent::Kind::Drawn || !event->box.Intersects(window) ||
            event->box.y + event->box.height <= window.y + kTablesTop) {
            continue;
        }
        const bool left = event->box.x < window.x + window.width / 2;
        (left ? drawn.pupils : drawn.facts) = event->at;
        if (drawn.pupils && drawn.facts) {
            until = std::min(deadline, MillisecondsFromNow(kQuiet));
        }
    }
    return drawn;
}

double Since(Clock::time_point from, const std::optional<Clock::time_point>& to) {
    return to ? MillisecondsBetween(from, *to) : -1;
}

} // namespace

int Follow(const Arguments& arguments) {
    const char* boxText = std::getenv("PROBE_BOX");
    Box window;
    if (arguments.size() != 5 || boxText == nullptr ||
        std::sscanf(boxText, "%d,%d,%d,%d", &window.x, &window.y, &window.width, &window.height) !=
            4) {
        std::fprintf(stderr, "follow: FOLDER NAME COUNT COPY COPY, with PROBE_BOX set\n");
        return 2;
    }
    const fs::path folder = arguments[0];
    const std::string name = arguments[1];
    const int count = std::stoi(arguments[2]);
    const fs::path copies[] = {arguments[3], arguments[4]};
    FolderOpens opens(folder.string());
    XServer server;
    // Handed in at every moment between two looks.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pause(1000, 6000);
    for (int copy = 0; copy < count; ++copy) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
        while (server.Next(Clock::now())) {
        }
        const fs::path unfinished = folder / ".follow-unfertig";
        fs::copy_file(copies[copy % 2], unfinished, fs::copy_options::overwrite_existing);
        const Clock::time_point renamed = Clock::now();
        fs::rename(unfinished, folder / name);
        const Drawn drawn = AwaitDrawing(server, window, MillisecondsFromNow(15000));
        const std::optional<Clock::time_point> noticed = opens.First({}, renamed);
        const std::optional<Clock::time_point> read = opens.First(name, renamed);
        if (!noticed || !read || !drawn.pupils || !drawn.facts) {
            std::fprintf(stderr, "follow: copy %d was not shown within 15 s\n", copy + 1);
            return 1;
        }
        std::printf("noticed_ms=%.1f read_ms=%.2f pupils_ms=%.2f facts_ms=%.2f shown_ms=%.1f\n",
                    MillisecondsBetween(renamed, *noticed), MillisecondsBetween(*noticed, *read),
                    Since(*noticed, drawn.pupils), Since(*noticed, drawn.facts),
                    MillisecondsBetween(renamed, std::max(*drawn.pupils, *drawn.facts)));
        std::fflush(stdout);
    }
    return 0;
}
