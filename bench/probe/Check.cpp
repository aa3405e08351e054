#include "bench/probe/Commands.h"
#include "bench/probe/KnownLines.h"
#include "bench/probe/PracticeWindowLayout.h"
#include "bench/probe/XServer.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace {

// The numbers a typing check asks before its round starts.
constexpr int kCheckedNumbers = 5;

void Type(XServer& server, int number) {
    for (const char digit : std::to_string(number)) {
        server.PressKey(std::string(1, digit));
    }
}

// Types the candidates one after the other until the line asking for a number changes: a number
// typed wrongly is asked again, the right one brings the next.
std::optional<int> Search(XServer& server, const Box& line, std::uint64_t asked,
                          const std::vector<int>& candidates) {
    for (const int candidate : candidates) {
        Type(server, candidate);
        server.PressKey("Return");
        server.DrainUntilQuiet(30);
        if (server.Fingerprint(line) != asked) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace

int Check(const Arguments& arguments) {
    if (arguments.size() < 4) {
        std::fprintf(stderr, "check: X Y TABLE CANDIDATE...\n");
        return 2;
    }
    const int x = std::stoi(arguments[0]);
    const int y = std::stoi(arguments[1]);
    KnownLines numbers(arguments[2]);
    std::vector<int> candidates;
    for (std::size_t i = 3; i < arguments.size(); ++i) {
        candidates.push_back(std::stoi(arguments[i]));
    }
    const Box problemLine = practice_window::kProblemLine.Moved(x, y);
    const Box problemText = practice_window::kProblemText.Moved(x, y);
    XServer server;
    int learned = 0;
    int missed = 0;
    for (int typed = 1; typed <= kCheckedNumbers; ++typed) {
        server.DrainUntilQuiet(5);
        const std::uint64_t fingerprint = server.Fingerprint(problemText);
        const std::optional<int> known = numbers.Find(fingerprint);
        if (!known) {
            const std::optional<int> found = Search(server, problemText, fingerprint, candidates);
            if (!found) {
                std::fprintf(stderr, "check: number %d is none of the candidates\n", typed);
                return 1;
            }
            numbers.Learn(fingerprint, *found);
            ++learned;
            continue;
        }
        Type(server, *known);
        server.DrainUntilQuiet(5);
        const Clock::time_point pressed = Clock::now();
        server.PressKey("Return");
        const Clock::time_point deadline = MillisecondsFromNow(1000);
        bool painted = false;
        while (const std::optional<ScreenEvent> event = server.Next(deadline)) {
            if (event->kind == ScreenEvent::Kind::Drawn && event->box.Intersects(problemLine)) {
                // The last number's Enter keeps the check and starts the round.
                std::printf("%s=%.3f\n",
                            typed == kCheckedNumbers ? "check_round_ms" : "check_next_ms",
                            MillisecondsBetween(pressed, event->at));
                painted = true;
                break;
            }
        }
        missed += painted ? 0 : 1;
    }
    std::fprintf(stderr, "check: %d learned, %zu numbers known\n", learned, numbers.Size());
    if (missed > 0) {
        std::fprintf(stderr, "check: %d Enters not answered in time\n", missed);
        return 1;
    }
    return 0;
}
