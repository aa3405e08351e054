#include "bench/probe/Commands.h"
#include "bench/probe/Home.h"
#include "bench/probe/XServer.h"

#include <cstdio>

int Trace(const Arguments& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        std::fprintf(stderr, "trace SECONDS [KEYSYM]\n");
        return 2;
    }
    XServer server;
    const Clock::time_point start = Clock::now();
    if (arguments.size() == 2) {
        FocusHome(server);
        server.PressKey(arguments[1]);
    }
    const Clock::time_point deadline = MillisecondsFromNow(std::stod(arguments[0]) * 1000);
    constexpr const char* kKinds[] = {"mapped", "unmapped", "drawn", "popup"};
    while (const std::optional<ScreenEvent> event = server.Next(deadline)) {
        std::printf("%9.2f %-8s 0x%lx %d,%d %dx%d\n", MillisecondsBetween(start, event->at),
                    kKinds[static_cast<int>(event->kind)], event->window, event->box.x,
                    event->box.y, event->box.width, event->box.height);
    }
    return 0;
}
