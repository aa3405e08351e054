#include "bench/probe/Arrivals.h"
#include "bench/probe/Commands.h"
#include "bench/probe/KnownLines.h"
#include "bench/probe/PracticeWindowLayout.h"
#include "bench/probe/XServer.h"
#include "journal/SqliteConnection.h"

#include <cstdio>
#include <memory>
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

// Clicks "Noch mal..." once the summary is drawn, and times it until the next round's first
// problem is painted ("again_ms=").
bool StartAgain(XServer& server, const Box& button, const Box& problemLine) {
    server.DrainUntilQuiet(5);
    const Clock::time_point clicked = Clock::now();
    server.Click(button.CentreX(), button.CentreY());
    const Clock::time_point deadline = MillisecondsFromNow(2000);
    while (const std::optional<ScreenEvent> event = server.Next(deadline)) {
        if (event->kind == ScreenEvent::Kind::Drawn && event->box.Intersects(problemLine)) {
            std::printf("again_ms=%.3f\n", MillisecondsBetween(clicked, event->at));
            return true;
        }
    }
    return false;
}

// What the options after COUNT X Y ask for.
struct AnswerOptions {
    std::optional<KnownLines> products;
    std::string journal;
    int perRound = 0;
    std::unique_ptr<Arrivals> arrivals;
};

// Takes --right TABLE JOURNAL, --round N and --handed-in COPY JOURNAL; false for anything else.
bool TakeOptions(const Arguments& arguments, AnswerOptions& options) {
    for (std::size_t at = 3; at < arguments.size();) {
        const std::string& option = arguments[at];
        if (option == "--right" && at + 2 < arguments.size()) {
            options.products.emplace(arguments[at + 1]);
            options.journal = arguments[at + 2];
            at += 3;
        } else if (option == "--round" && at + 1 < arguments.size()) {
            options.perRound = std::stoi(arguments[at + 1]);
            at += 2;
        } else if (option == "--handed-in" && at + 2 < arguments.size()) {
            options.arrivals = std::make_unique<Arrivals>(arguments[at + 1], arguments[at + 2]);
            at += 3;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int Answers(const Arguments& arguments) {
    AnswerOptions options;
    if (arguments.size() < 3 || !TakeOptions(arguments, options) ||
        (options.arrivals && options.perRound <= 0)) {
        std::fprintf(stderr, "answers: COUNT X Y [--right TABLE JOURNAL] [--round N "
                             "[--handed-in COPY JOURNAL]]\n");
        return 2;
    }
    const int count = std::stoi(arguments[0]);
    const int x = std::stoi(arguments[1]);
    const int y = std::stoi(arguments[2]);
    const Box problemLine = practice_window::kProblemLine.Moved(x, y);
    const Box problemText = practice_window::kProblemText.Moved(x, y);
    const Box again = practice_window::kAgainButton.Moved(x, y);
    std::optional<KnownLines>& products = options.products;
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
            products->Learn(fingerprint, NewestProduct(options.journal));
            ++learned;
        }
        missed += painted ? 0 : 1;
        if (options.arrivals) {
            options.arrivals->Poll();
        }
        // The round's last Enter showed its summary: the next round starts with "Noch mal...".
        const int answered = answer + 1;
        if (options.perRound > 0 && answered % options.perRound == 0) {
            if (options.arrivals) {
                options.arrivals->RoundEnded(pressed);
            }
            if (answered < count) {
                missed += StartAgain(server, again, problemLine) ? 0 : 1;
            }
        }
    }
    if (options.arrivals && !options.arrivals->AwaitAll(MillisecondsFromNow(5000))) {
        std::fprintf(stderr, "answers: a round's copy did not arrive within 5 s\n");
        return 1;
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
