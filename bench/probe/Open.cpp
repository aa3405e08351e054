#include "bench/probe/Commands.h"
#include "bench/probe/Home.h"
#include "bench/probe/ShownWindow.h"

#include <cstdio>

int Open(const Arguments& arguments) {
    if (arguments.size() != 1) {
        std::fprintf(stderr, "open: KEYSYM\n");
        return 2;
    }
    XServer server;
    FocusHome(server);
    server.DrainUntilQuiet(20);
    const Clock::time_point pressed = Clock::now();
    server.PressKey(arguments[0]);
    const std::optional<ShownWindow> shown = WaitForShownWindow(server, MillisecondsFromNow(5000));
    if (!shown) {
        std::fprintf(stderr, "open: no window was shown after %s\n", arguments[0].c_str());
        return 1;
    }
    std::printf("open_ms=%.2f\nwindow_x=%d\nwindow_y=%d\n",
                MillisecondsBetween(pressed, shown->painted), shown->box.x, shown->box.y);
    return 0;
}
