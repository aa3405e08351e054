#include "bench/probe/Commands.h"
#include "bench/probe/XServer.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

int Respond(const Arguments& arguments) {
    const char* box = std::getenv("PROBE_BOX");
    int x = 0;
    int y = 0;
    if (arguments.size() != 4 || box == nullptr || std::sscanf(box, "%d,%d", &x, &y) != 2) {
        std::fprintf(stderr, "respond: COUNT DX DY PAUSE-MS, with PROBE_BOX set\n");
        return 2;
    }
    const int count = std::stoi(arguments[0]);
    x += std::stoi(arguments[1]);
    y += std::stoi(arguments[2]);
    const auto pause = std::chrono::milliseconds(std::stoi(arguments[3]));
    // The program's start, from launch, so that each click can be placed in its reading.
    const char* startedText = std::getenv("PROBE_STARTED_NS");
    const Clock::time_point started{std::chrono::nanoseconds(
        startedText != nullptr ? std::strtoll(startedText, nullptr, 10) : 0)};
    XServer server;
    for (int click = 0; click < count; ++click) {
        // What was drawn before the click is not its answer; the window may go on drawing.
        while (server.Next(Clock::now())) {
        }
        const Clock::time_point pressed = Clock::now();
        server.Click(x, y);
        const Clock::time_point deadline = MillisecondsFromNow(5000);
        std::optional<ScreenEvent> popup;
        PaintedArea painted;
        bool shown = false;
        while (const std::optional<ScreenEvent> event = server.Next(deadline)) {
            if (!popup && event->kind == ScreenEvent::Kind::Popup) {
                popup = event;
            } else if (popup && event->kind == ScreenEvent::Kind::Drawn) {
                painted.Add(event->box);
                if (painted.Covers(popup->box)) {
                    std::printf("click_at_ms=%.1f response_ms=%.3f\n",
                                MillisecondsBetween(started, pressed),
                                MillisecondsBetween(pressed, event->at));
                    std::fflush(stdout);
                    shown = true;
                    break;
                }
            }
        }
        if (!shown) {
            std::fprintf(stderr, "respond: no popup painted within 5 s of click %d\n", click + 1);
            return 1;
        }
        server.PressKey("Escape");
        const Clock::time_point closing = MillisecondsFromNow(5000);
        while (const std::optional<ScreenEvent> event = server.Next(closing)) {
            if (event->kind == ScreenEvent::Kind::Unmapped && event->window == popup->window) {
                break;
            }
        }
        std::this_thread::sleep_for(pause);
    }
    return 0;
}
