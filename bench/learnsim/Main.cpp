// kalkuno_learning_bench [children] [slow share]: simulated children practise one round a day
// through the real engine, with "Gezielt üben", with the ordinary draw, and with the ordinary draw
// corrected like "Gezielt üben", under two published memory models; prints one Markdown table of
// medians with their interquartile range over the children (default 100), then the goals with
// whether each is met. The slow share (default 0.1) is how often a recalled answer is right but
// slow, in the scenarios that do not set their own.
#include "bench/learnsim/Simulation.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

const Scenario kScenarios[] = {
    {"(a) rows 2–10, 2/3 sure, 20 days", 2, 10, 2.0 / 3.0, 20, 20},
    {"(b) rows 2–10, 2/3 sure, 60 days", 2, 10, 2.0 / 3.0, 60, 20},
    {"(c) rows 11–20, none known, 30 days", 11, 20, 0.0, 30, 20},
    {"(d) rows 2–10, 2/3 sure, 30 days, 60 % of the recalled answers slow", 2, 10, 2.0 / 3.0, 30,
     20, 0.6},
    {"(e) as (a) for 40 days, on 3 random days of each week", 2, 10, 2.0 / 3.0, 40, 20, -1, 3},
    {"(f) as (d), the earlier practice slow as often", 2, 10, 2.0 / 3.0, 30, 20, 0.6, 7, true},
    {"(g) as (a), a slow typer: 2 s more for every number typed", 2, 10, 2.0 / 3.0, 20, 20, -1, 7,
     false, 2000},
};
const MemoryKind kMemories[] = {MemoryKind::Fsrs45, MemoryKind::Actr};
const Drill kDrills[] = {Drill::Planned, Drill::Drawn, Drill::DrawnWithCorrection};

const char* Name(MemoryKind memory) {
    return memory == MemoryKind::Fsrs45 ? "FSRS-4.5" : "ACT-R (Pavlik & Anderson 2005)";
}

constexpr double kNotReached = std::numeric_limits<double>::infinity();

std::string Number(double value, int decimals) {
    if (value == kNotReached) {
        return "not reached";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The nearest rank of the quantile.
double Quantile(std::vector<double> values, double quantile) {
    if (values.empty()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::sort(values.begin(), values.end());
    return values.at(
        static_cast<std::size_t>(quantile * static_cast<double>(values.size() - 1) + 0.5));
}

// Median [first quartile – third quartile].
std::string Spread(const std::vector<double>& values, int decimals) {
    if (values.empty()) {
        return "–";
    }
    return Number(Quantile(values, 0.5), decimals) + " [" +
           Number(Quantile(values, 0.25), decimals) + "–" +
           Number(Quantile(values, 0.75), decimals) + "]";
}

struct Run {
    const Scenario* scenario;
    MemoryKind memory;
    Drill drill;
    double slowShare;
    std::uint32_t seed;
    Outcome outcome;
};

void RunAll(std::vector<Run>& runs) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < runs.size(); i = next++) {
            Run& run = runs[i];
            run.outcome = Simulate(*run.scenario, run.memory, run.drill, run.slowShare, run.seed);
        }
    };
    std::vector<std::thread> threads;
    const unsigned count = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned t = 0; t < count; ++t) {
        threads.emplace_back(work);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

void PrintRow(const std::vector<std::string>& cells) {
    std::printf("|");
    for (const std::string& cell : cells) {
        std::printf(" %s |", cell.c_str());
    }
    std::printf("\n");
}

// One measure of every child of a scenario, model and drill; a child without a value is left out.
using Measure = std::function<std::optional<double>(const Outcome&)>;

struct MeasureRow {
    std::string name;
    int decimals;
    Measure measure;
};

std::optional<double> Percent(int part, int whole) {
    return whole > 0 ? std::optional(100.0 * part / whole) : std::nullopt;
}

const std::vector<MeasureRow>& Measures() {
    static const std::vector<MeasureRow> rows = {
        {"Problems on facts needing practice (%)", 1,
         [](const Outcome& o) { return Percent(o.onNeeded, o.whileNeeded); }},
        {"Facts at p ≥ 0.9 a week after the last day", 0,
         [](const Outcome& o) { return std::optional<double>(o.retained); }},
        {"Facts expected to be recalled a week after the last day (sum of p)", 1,
         [](const Outcome& o) { return std::optional(o.expected); }},
        {"Facts asked at least once by the last day", 0,
         [](const Outcome& o) { return std::optional<double>(o.asked); }},
        {"Answers until 90 % of the facts start a day at p ≥ 0.9", 0,
         [](const Outcome& o) {
             return std::optional(o.answersTo90 ? static_cast<double>(*o.answersTo90)
                                                : kNotReached);
         }},
        {"Facts shown as \"sicher\" the day after the last that are at p ≥ 0.9 (%)", 1,
         [](const Outcome& o) { return Percent(o.shownSureRecalled, o.shownSure); }},
        {"Facts at p ≥ 0.9 the day after the last shown as \"sicher\" (%)", 1,
         [](const Outcome& o) { return Percent(o.shownSureRecalled, o.recalled); }},
        {"The child's threshold for \"fast\" at the end (s)", 1,
         [](const Outcome& o) { return std::optional(static_cast<double>(o.threshold) / 1000); }},
    };
    return rows;
}

enum MeasureIndex {
    kShare,
    kRetained,
    kExpected,
    kAsked,
    kAnswersTo90,
    kSurePrecision,
    kSureShare,
    kThreshold,
};

class Results {
public:
    Results(const std::vector<Run>& runs, int children)
        : runs_(runs)
        , children_(children) {}

    std::vector<double> Values(std::size_t scenario, std::size_t memory, std::size_t drill,
                               MeasureIndex measure) const {
        std::vector<double> values;
        const std::size_t first =
            ((scenario * std::size(kMemories) + memory) * std::size(kDrills) + drill) *
            static_cast<std::size_t>(children_);
        for (int child = 0; child < children_; ++child) {
            if (const auto value = Measures()[measure].measure(
                    runs_[first + static_cast<std::size_t>(child)].outcome)) {
                values.push_back(*value);
            }
        }
        return values;
    }

    double Median(std::size_t scenario, std::size_t memory, std::size_t drill,
                  MeasureIndex measure) const {
        return Quantile(Values(scenario, memory, drill, measure), 0.5);
    }

    int Reached(std::size_t scenario, std::size_t memory, std::size_t drill) const {
        const auto values = Values(scenario, memory, drill, kAnswersTo90);
        return static_cast<int>(
            std::count_if(values.begin(), values.end(), [](double v) { return v != kNotReached; }));
    }

private:
    const std::vector<Run>& runs_;
    int children_;
};

void PrintTable(const Results& results, int children, double slowShare) {
    std::printf(
        "| Scenario | Memory model | Measure (median [IQR] over %d children; %.0f %% of the "
        "recalled answers slow unless the scenario says otherwise) | Gezielt | Ordinary "
        "draw | Draw + correction |\n",
        children, 100 * slowShare);
    std::printf("| --- | --- | --- | --- | --- | --- |\n");
    for (std::size_t s = 0; s < std::size(kScenarios); ++s) {
        const Scenario& scenario = kScenarios[s];
        const int facts = (scenario.lastRow - scenario.firstRow + 1) * 10;
        for (std::size_t m = 0; m < std::size(kMemories); ++m) {
            for (std::size_t measure = 0; measure < Measures().size(); ++measure) {
                const MeasureRow& row = Measures()[measure];
                std::string name = row.name;
                if (measure == kRetained || measure == kAsked) {
                    name += " (of " + std::to_string(facts) + ")";
                }
                if (measure == kAnswersTo90) {
                    name += " (children reaching it)";
                }
                std::vector<std::string> cells = {scenario.name, Name(kMemories[m]), name};
                for (std::size_t d = 0; d < std::size(kDrills); ++d) {
                    std::string cell = Spread(
                        results.Values(s, m, d, static_cast<MeasureIndex>(measure)), row.decimals);
                    if (measure == kAnswersTo90) {
                        cell += " (" + std::to_string(results.Reached(s, m, d)) + "/" +
                                std::to_string(children) + ")";
                    }
                    cells.push_back(cell);
                }
                PrintRow(cells);
            }
        }
    }
}

std::string Met(bool met) {
    return met ? "yes" : "**no**";
}

void PrintGoals(const Results& results) {
    std::printf("\n| Scenario | Goal | Gezielt | Compared with | Met |\n");
    std::printf("| --- | --- | --- | --- | --- |\n");
    constexpr std::size_t kFsrs = 0;
    constexpr std::size_t kPlanned = 0;
    const auto betterDraw = [&](std::size_t s, std::size_t m, MeasureIndex measure) {
        return std::max(results.Median(s, m, 1, measure), results.Median(s, m, 2, measure));
    };
    for (std::size_t s = 0; s < std::size(kScenarios); ++s) {
        const std::string scenario = std::string(kScenarios[s].name).substr(0, 3);
        for (std::size_t m = 0; m < std::size(kMemories); ++m) {
            const double planned = results.Median(s, m, kPlanned, kExpected);
            const double draw = betterDraw(s, m, kExpected);
            PrintRow({scenario,
                      std::string("expected recall a week later, ") + Name(kMemories[m]) +
                          ": at least the better draw",
                      Number(planned, 1), Number(draw, 1), Met(planned >= draw)});
        }
        const double retained = results.Median(s, kFsrs, kPlanned, kRetained);
        const double retainedDraw = betterDraw(s, kFsrs, kRetained);
        PrintRow({scenario, "facts at p ≥ 0.9 a week later, FSRS-4.5: at least the better draw",
                  Number(retained, 0), Number(retainedDraw, 0), Met(retained >= retainedDraw)});
        const double share = results.Median(s, kFsrs, kPlanned, kShare);
        PrintRow({scenario, "problems on facts needing practice, FSRS-4.5: at least 85 %",
                  Number(share, 1), "85", Met(share >= 85)});
        const double precision = results.Median(s, kFsrs, kPlanned, kSurePrecision);
        PrintRow({scenario, "facts shown as \"sicher\" at p ≥ 0.9, FSRS-4.5: at least 90 %",
                  Number(precision, 1), "90", Met(precision >= 90)});
    }
    const double speed = results.Median(0, kFsrs, kPlanned, kAnswersTo90);
    PrintRow({"(a)", "answers until 90 % of the facts at p ≥ 0.9, FSRS-4.5: at most 140",
              Number(speed, 0), "140", Met(speed <= 140)});
    const double sureA = results.Median(0, kFsrs, kPlanned, kSureShare);
    const double sureG = results.Median(std::size(kScenarios) - 1, kFsrs, kPlanned, kSureShare);
    PrintRow({"(g)", "facts at p ≥ 0.9 shown as \"sicher\", FSRS-4.5: within 10 points of (a)",
              Number(sureG, 1), Number(sureA, 1) + " in (a)",
              Met(sureG >= sureA - 10 && sureG <= sureA + 10)});
}

} // namespace

int main(int argc, char** argv) {
    // The plan and the models count local days; UTC keeps them the same.
    setenv("TZ", "UTC", 1);
    tzset();
    const int children = argc > 1 ? std::atoi(argv[1]) : 100;
    const double slowShare = argc > 2 ? std::atof(argv[2]) : 0.1;
    if (children < 1 || slowShare < 0 || slowShare > 1) {
        std::fprintf(stderr, "usage: %s [children] [slow share]\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::vector<Run> runs;
    for (const Scenario& scenario : kScenarios) {
        for (const MemoryKind memory : kMemories) {
            for (const Drill drill : kDrills) {
                for (int seed = 1; seed <= children; ++seed) {
                    runs.push_back({&scenario,
                                    memory,
                                    drill,
                                    slowShare,
                                    static_cast<std::uint32_t>(seed),
                                    {}});
                }
            }
        }
    }
    RunAll(runs);
    const Results results(runs, children);
    PrintTable(results, children, slowShare);
    PrintGoals(results);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\n%zu simulated children in %.1f s\n", runs.size(), seconds);
    return 0;
}
