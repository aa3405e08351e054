#include "bench/probe/Commands.h"
#include "bench/probe/PracticeWindowLayout.h"
#include "bench/probe/XServer.h"

#include <cstdio>

int Answers(const Arguments& arguments) {
    if (arguments.size() != 3) {
        std::fprintf(stderr, "answers: COUNT X Y\n");
        return 2;
    }
    const int count = std::stoi(arguments[0]);
    const Box problemLine =
        practice_window::kProblemLine.Moved(std::stoi(arguments[1]), std::stoi(arguments[2]));
    XServer server;
    int missed = 0;
    for (int answer = 0; answer < count; ++answer) {
        // Everything of the previous answer has been drawn, so the next drawing is this one's.
        server.DrainUntilQuiet(5);
        const Clock::time_point pressed = Clock::now();
        server.PressKey("Return");
        const Clock::time_point deadline = MillisecondsFromNow(1000);
        bool painted = false;
        while (const std::optional<ScreenEvent> event = server.Next(deadline)) {
            if (event->kind == ScreenEvent::Kind::Drawn && event->box.Intersects(problemLine)) {
                std::printf("%.3f\n", MillisecondsBetween(pressed, event->at));
                painted = true;
                break;
            }
        }
        missed += painted ? 0 : 1;
    }
    if (missed > 0) {
        std::fprintf(stderr, "answers: %d of %d not painted within a second\n", missed, count);
        return 1;
    }
    return 0;
}
