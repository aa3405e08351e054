#include "bench/probe/Commands.h"
#include "bench/probe/Home.h"
#include "bench/probe/PracticeWindowLayout.h"
#include "bench/probe/ShownWindow.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <thread>

namespace {

using practice_window::kSegmentCount;

constexpr int kSettleMilliseconds = 50;

struct RoundTimes {
    double openMilliseconds = 0;
    // From the problem painted to each segment painted, and to the time-out painted.
    std::array<double, kSegmentCount> steps{};
    double timeout = 0;
};

std::optional<RoundTimes> PlayRound(XServer& server, int timeSetting) {
    FocusHome(server);
    server.DrainUntilQuiet(50);
    const Clock::time_point pressed = Clock::now();
    server.PressKey("F2");
    const std::optional<ShownWindow> shown = WaitForShownWindow(server, MillisecondsFromNow(5000));
    if (!shown) {
        std::fprintf(stderr, "countdown: F2 showed no window\n");
        return std::nullopt;
    }
    RoundTimes times;
    times.openMilliseconds = MillisecondsBetween(pressed, shown->painted);
    const int x = shown->box.x;
    const int y = shown->box.y;
    // Showing ends with repaints for the activation and the focused answer field; the first step
    // comes a tenth of a second later at the earliest.
    while (server.Next(shown->painted + std::chrono::milliseconds(kSettleMilliseconds))) {
    }
    std::array<bool, kSegmentCount> seen{};
    bool timedOut = false;
    const Clock::time_point deadline = MillisecondsFromNow(2100.0 * timeSetting + 2000);
    while (!timedOut) {
        const std::optional<ScreenEvent> event = server.Next(deadline);
        if (!event) {
            std::fprintf(stderr, "countdown: no time-out painted\n");
            return std::nullopt;
        }
        if (event->kind != ScreenEvent::Kind::Drawn) {
            continue;
        }
        const double since = MillisecondsBetween(shown->painted, event->at);
        for (int n = 1; n <= kSegmentCount; ++n) {
            const auto index = static_cast<std::size_t>(n - 1);
            if (!seen[index] && event->box.Intersects(practice_window::Segment(n).Moved(x, y))) {
                seen[index] = true;
                times.steps[index] = since;
            }
        }
        if (event->box.Intersects(practice_window::kWrongTally.Moved(x, y))) {
            times.timeout = since;
            timedOut = true;
        }
    }

    const Box end = practice_window::kEndButton.Moved(x, y);
    server.Click(end.CentreX(), end.CentreY());
    const Clock::time_point closing = MillisecondsFromNow(3000);
    while (const std::optional<ScreenEvent> event = server.Next(closing)) {
        if (event->kind == ScreenEvent::Kind::Unmapped && event->window == shown->window) {
            return times;
        }
    }
    std::fprintf(stderr, "countdown: \"Ende\" did not close the window\n");
    return std::nullopt;
}

} // namespace

int Countdown(const Arguments& arguments) {
    if (arguments.size() != 2) {
        std::fprintf(stderr, "countdown: T ROUNDS\n");
        return 2;
    }
    const int timeSetting = std::stoi(arguments[0]);
    const int rounds = std::stoi(arguments[1]);
    const double step = 100.0 * timeSetting;
    XServer server;
    std::printf("# t open_ms timeout_error_ms max_step_error_ms drift_ms\n");
    for (int round = 0; round < rounds; ++round) {
        const std::optional<RoundTimes> times = PlayRound(server, timeSetting);
        if (!times) {
            return 1;
        }
        double worstStep = 0;
        for (int n = 1; n <= kSegmentCount; ++n) {
            const double error = times->steps[static_cast<std::size_t>(n - 1)] - n * step;
            worstStep = std::fabs(error) > std::fabs(worstStep) ? error : worstStep;
        }
        const double drift =
            (times->steps.back() - kSegmentCount * step) - (times->steps.front() - step);
        std::printf("%d %.2f %.2f %.2f %.2f\n", timeSetting, times->openMilliseconds,
                    times->timeout - (kSegmentCount + 1) * step, worstStep, drift);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return 0;
}
