#include "bench/probe/Commands.h"
#include "bench/probe/KnownLines.h"
#include "bench/probe/PracticeWindowLayout.h"
#include "bench/probe/XServer.h"
#include "journal/SqliteConnection.h"

#include <cstdio>
#include <optional>

namespace {

// The product the journal's newest answer asks for: a problem the probe does not know is answered
// with an empty Enter, which the drill records.
int NewestProduct(const std::string& journal) {
    const SqliteConnection connection(journal, SqliteAccess::ReadOnly);
    connection.SetBusyTimeout(std::chrono::milliseconds(1000));
    return static_cast<int>(connection.QueryInteger(
        "SELECT multiplier * table_row FROM answers ORDER BY id DESC LIMIT 1"));
}

} // namespace

int Answers(const Arguments& arguments) {
    if (arguments.size() != 3 && !(arguments.size() == 6 && arguments[3] == "--right")) {
        std::fprintf(stderr, "answers: COUNT X Y [--right TABLE JOURNAL]\n");
        return 2;
    }
    const int count = std::stoi(arguments[0]);
    const int x = std::stoi(arguments[1]);
    const int y = std::stoi(arguments[2]);
    const Box problemLine = practice_window::kProblemLine.Moved(x, y);
    const Box problemText = practice_window::kProblemText.Moved(x, y);
    std::optional<KnownLines> products;
    if (arguments.size() == 6) {
        products.emplace(arguments[4]);
    }
    XServer server;
    int missed = 0;
    int learned = 0;
    for (int answer = 0; answer < count; ++answer) {
        // Everything of the previous answer has been drawn, so the next drawing is this one's.
        server.DrainUntilQuiet(5);
        std::uint64_t fingerprint = 0;
        bool learning = false;
        if (products) {
            fingerprint = server.Fingerprint(problemText);
            if (const std::optional<int> product = products->Find(fingerprint)) {
                for (const char digit : std::to_string(*product)) {
                    server.PressKey(std::string(1, digit));
                }
                server.DrainUntilQuiet(5);
            } else {
                learning = true;
            }
        }
        const Clock::time_point pressed = Clock::now();
        server.PressKey("Return");
        // A mistake in "Gezielt üben" shows the right product for two seconds first.
        const Clock::time_point deadline = MillisecondsFromNow(learning ? 4000 : 1000);
        bool painted = false;
        while (const std::optional<ScreenEvent> event = server.Next(deadline)) {
            if (event->kind == ScreenEvent::Kind::Drawn && event->box.Intersects(problemLine)) {
                if (!learning) {
                    std::printf("%.3f\n", MillisecondsBetween(pressed, event->at));
                }
                painted = true;
                break;
            }
        }
        if (learning) {
            products->Learn(fingerprint, NewestProduct(arguments[5]));
            ++learned;
        }
        missed += painted ? 0 : 1;
    }
    if (products) {
        // Learned answers are empty Enters, and not timed.
        std::fprintf(stderr, "answers: %d learned, %zu problems known\n", learned,
                     products->Size());
    }
    if (missed > 0) {
        std::fprintf(stderr, "answers: %d of %d not painted in time\n", missed, count);
        return 1;
    }
    return 0;
}
