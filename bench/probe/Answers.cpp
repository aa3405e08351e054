#include "bench/probe/Commands.h"
#include "bench/probe/PracticeWindowLayout.h"
#include "bench/probe/XServer.h"
#include "journal/SqliteConnection.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>

namespace {

// The product of each problem line the probe has seen, by the fingerprint of its picture. A
// problem not in it is answered with an empty Enter, and the journal's newest answer tells its
// product.
class Products {
public:
    Products(std::string file, std::string journal)
        : file_(std::move(file))
        , journal_(std::move(journal)) {
        std::ifstream stored(file_);
        std::uint64_t fingerprint = 0;
        int product = 0;
        while (stored >> fingerprint >> product) {
            products_[fingerprint] = product;
        }
    }

    std::optional<int> Find(std::uint64_t fingerprint) const {
        const auto found = products_.find(fingerprint);
        return found == products_.end() ? std::nullopt : std::optional(found->second);
    }

    void LearnNewest(std::uint64_t fingerprint) {
        const SqliteConnection journal(journal_, SqliteAccess::ReadOnly);
        journal.SetBusyTimeout(std::chrono::milliseconds(1000));
        const auto product = static_cast<int>(journal.QueryInteger(
            "SELECT multiplier * table_row FROM answers ORDER BY id DESC LIMIT 1"));
        products_[fingerprint] = product;
        std::ofstream(file_, std::ios::app) << fingerprint << ' ' << product << '\n';
    }

    std::size_t Size() const { return products_.size(); }

private:
    std::string file_;
    std::string journal_;
    std::map<std::uint64_t, int> products_;
};

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
    std::optional<Products> products;
    if (arguments.size() == 6) {
        products.emplace(arguments[4], arguments[5]);
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
            products->LearnNewest(fingerprint);
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
