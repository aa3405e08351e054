// kalkuno_journal_copy_bench <journal path> <folder> <stop file> [pause ms]: copies the journal
// into the folder with the Lernstand's "Für die Lehrkraft speichern…" again and again, with a pause
// between copies (default 0), until the stop file appears, while another program may be
// recording. Then it prints copy_ms=<time> for each copy, and checks against the journal with
// SQLite that the copy holds exactly the answers recorded before it started: at least those
// counted before, at most those counted after, and each equal to the journal's answer of that id.
#include "journal/JournalCopy.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteTransaction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::int64_t CountAnswers(const fs::path& journal) {
    const SqliteConnection live(journal, SqliteAccess::ReadOnly);
    live.SetBusyTimeout(std::chrono::milliseconds(1000));
    return live.QueryInteger("SELECT count(*) FROM answers");
}

// The copy's answers that differ from the journal's answer of the same id, or are missing there.
std::int64_t Differing(const fs::path& journal, const fs::path& copy) {
    const SqliteConnection live(journal, SqliteAccess::ReadOnly);
    live.SetBusyTimeout(std::chrono::milliseconds(1000));
    live.Prepare("ATTACH ? AS copy").Bind(1, copy.string()).Run();
    const SqliteTransaction reading(live, SqliteTransaction::Kind::Reading);
    return live.QueryInteger("SELECT count(*) FROM (SELECT * FROM copy.answers EXCEPT "
                             "SELECT * FROM main.answers)");
}

// One copy, with the journal's answers counted just before and just after it.
struct Made {
    fs::path copy;
    double milliseconds = 0;
    std::int64_t before = 0;
    std::int64_t copied = 0;
    std::int64_t after = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <journal path> <folder> <stop file> [pause ms]\n", argv[0]);
        return 2;
    }
    const fs::path journal = argv[1];
    const fs::path folder = argv[2];
    const fs::path stop = argv[3];
    const std::chrono::milliseconds pause(argc > 4 ? std::atoi(argv[4]) : 0);
    // Each copy keeps its own file, so that checking one does not hold up the next.
    std::vector<Made> made;
    for (int copy = 0; copy == 0 || !fs::exists(stop); ++copy) {
        std::this_thread::sleep_for(pause);
        Made next;
        next.copy = folder / ("Lernstand-Bench-" + std::to_string(copy) + ".sqlite");
        next.before = CountAnswers(journal);
        const Clock::time_point start = Clock::now();
        const JournalCopy result = CopyJournal(journal, next.copy);
        next.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        next.after = CountAnswers(journal);
        if (result.problem != JournalCopy::Problem::None) {
            std::fprintf(stderr, "copy %d failed: %s\n", copy, result.detail.c_str());
            return 1;
        }
        next.copied = result.answers;
        made.push_back(next);
    }
    int wrong = 0;
    for (const Made& copy : made) {
        const bool exact = copy.copied >= copy.before && copy.copied <= copy.after &&
                           Differing(journal, copy.copy) == 0;
        wrong += exact ? 0 : 1;
        std::printf("copy_ms=%.3f answers_before=%lld copied=%lld answers_after=%lld exact=%s\n",
                    copy.milliseconds, static_cast<long long>(copy.before),
                    static_cast<long long>(copy.copied), static_cast<long long>(copy.after),
                    exact ? "yes" : "no");
        fs::remove(copy.copy);
    }
    return wrong == 0 ? 0 : 1;
}
