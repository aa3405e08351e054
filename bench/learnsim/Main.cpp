// kalkuno_learning_bench [children] [slow share]: simulated children practise one round a day
// through the real engine, with "Gezielt üben", with the ordinary draw, and with the ordinary draw
// corrected like "Gezielt üben", under two published memory models; prints one Markdown table of
// medians with their interquartile range over the children (default 100). The slow share
// (default 0.1) is how often a recalled answer is right but not faster than the threshold.
#include "bench/learnsim/Simulation.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

const Scenario kScenarios[] = {
    {"(a) rows 2–10, 2/3 sure, 20 days", 2, 10, 2.0 / 3.0, 20, 20},
    {"(b) rows 2–10, 2/3 sure, 60 days", 2, 10, 2.0 / 3.0, 60, 20},
    {"(c) rows 11–20, none known, 30 days", 11, 20, 0.0, 30, 20},
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

// Median [first quartile – third quartile], the nearest rank each.
std::string Spread(std::vector<double> values, int decimals) {
    std::sort(values.begin(), values.end());
    const auto at = [&](double quantile) {
        return values.at(
            static_cast<std::size_t>(quantile * static_cast<double>(values.size() - 1) + 0.5));
    };
    return Number(at(0.5), decimals) + " [" + Number(at(0.25), decimals) + "–" +
           Number(at(0.75), decimals) + "]";
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

void PrintRow(const std::string& scenario, const std::string& memory, const std::string& measure,
              const std::vector<std::string>& cells) {
    std::printf("| %s | %s | %s |", scenario.c_str(), memory.c_str(), measure.c_str());
    for (const std::string& cell : cells) {
        std::printf(" %s |", cell.c_str());
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    // The plan and the models count local days; UTC keeps them the same.
    setenv("TZ", "UTC", 1);
    tzset();
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 100;
    const double slowShare = argc > 2 ? std::atof(argv[2]) : 0.1;
    if (seeds < 1 || slowShare < 0 || slowShare > 1) {
        std::fprintf(stderr, "usage: %s [children] [slow share]\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::vector<Run> runs;
    for (const Scenario& scenario : kScenarios) {
        for (const MemoryKind memory : kMemories) {
            for (const Drill drill : kDrills) {
                for (int seed = 1; seed <= seeds; ++seed) {
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

    std::printf(
        "| Scenario | Memory model | Measure (median [IQR] over %d children; %.0f %% of the "
        "recalled answers slow) | Gezielt | Ordinary draw | Draw + correction |\n",
        seeds, 100 * slowShare);
    std::printf("| --- | --- | --- | --- | --- | --- |\n");
    auto run = runs.begin();
    for (const Scenario& scenario : kScenarios) {
        for (const MemoryKind memory : kMemories) {
            std::vector<std::string> share;
            std::vector<std::string> retained;
            std::vector<std::string> expected;
            std::vector<std::string> asked;
            std::vector<std::string> answers;
            int facts = 0;
            for (std::size_t drill = 0; drill < std::size(kDrills); ++drill) {
                std::vector<double> shares;
                std::vector<double> kept;
                std::vector<double> recalled;
                std::vector<double> everAsked;
                std::vector<double> needed;
                int reached = 0;
                for (int seed = 0; seed < seeds; ++seed, ++run) {
                    const Outcome& outcome = run->outcome;
                    facts = outcome.facts;
                    if (outcome.whileNeeded > 0) {
                        shares.push_back(100.0 * outcome.onNeeded / outcome.whileNeeded);
                    }
                    kept.push_back(outcome.retained);
                    recalled.push_back(outcome.expected);
                    everAsked.push_back(outcome.asked);
                    needed.push_back(outcome.answersTo90 ? *outcome.answersTo90 : kNotReached);
                    reached += outcome.answersTo90 ? 1 : 0;
                }
                share.push_back(shares.empty() ? "–" : Spread(shares, 1));
                retained.push_back(Spread(kept, 0));
                expected.push_back(Spread(recalled, 1));
                asked.push_back(Spread(everAsked, 0));
                answers.push_back(Spread(needed, 0) + " (" + std::to_string(reached) + "/" +
                                  std::to_string(seeds) + ")");
            }
            PrintRow(scenario.name, Name(memory), "Problems on facts needing practice (%)", share);
            PrintRow(scenario.name, Name(memory),
                     "Facts at p ≥ 0.9 a week after the last day (of " + std::to_string(facts) +
                         ")",
                     retained);
            PrintRow(scenario.name, Name(memory),
                     "Facts expected to be recalled a week after the last day (sum of p)",
                     expected);
            PrintRow(scenario.name, Name(memory),
                     "Facts asked at least once by the last day (of " + std::to_string(facts) + ")",
                     asked);
            PrintRow(scenario.name, Name(memory),
                     "Answers until 90 % of the facts start a day at p ≥ 0.9 (children reaching "
                     "it)",
                     answers);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\n%zu simulated children in %.1f s\n", runs.size(), seconds);
    return 0;
}
