#include "tools/screenshots/LernstandSample.h"

#include "facts/Fact.h"
#include "journal/JournalRecorder.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Facts the child still trips over, and facts it knows but answers slowly.
constexpr std::array kShaky{Fact{7, 8}, Fact{8, 7}, Fact{6, 7}, Fact{9, 6}, Fact{4, 9}};
constexpr std::array kSlow{Fact{3, 9}, Fact{8, 4}, Fact{6, 8}};
constexpr int kFirstRow = 3;
constexpr int kSampleRows = 7;
constexpr int kAnswersPerRound = 20;

bool Among(const auto& facts, Fact fact) {
    return std::find(facts.begin(), facts.end(), fact) != facts.end();
}

} // namespace

void RecordLernstandSample(const std::filesystem::path& journal, WallTime now, std::uint32_t seed) {
    WallTime clock = now;
    JournalRecorder recorder(journal, [&clock] { return clock; });
    const auto next = [&seed](std::uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % range);
    };
    for (int daysBack = 13; daysBack >= 0; --daysBack) {
        if (daysBack % 5 == 2) {
            continue;
        }
        clock = now - std::chrono::days(daysBack) - std::chrono::hours(2);
        const int rounds = 1 + next(2);
        for (int round = 0; round < rounds; ++round) {
            recorder.RoundStarted({kAnswersPerRound, true, 5, {3, 4, 5, 6, 7, 8, 9}});
            for (int i = 0; i < kAnswersPerRound; ++i) {
                const Fact fact{1 + next(kMultipliers), kFirstRow + next(kSampleRows)};
                AnsweredProblem answer{fact.multiplier, fact.row,
                                       std::to_string(fact.multiplier * fact.row),
                                       AnswerOutcome::Right, 1100 + next(1500)};
                if (Among(kSlow, fact)) {
                    answer.responseMilliseconds += 2500;
                }
                if (Among(kShaky, fact) && daysBack < 4 && next(3) > 0) {
                    answer.outcome = next(4) == 0 ? AnswerOutcome::TimeOut : AnswerOutcome::Wrong;
                    answer.answer = answer.outcome == AnswerOutcome::Wrong
                                        ? std::to_string(fact.multiplier * fact.row + 1)
                                        : "";
                }
                clock += std::chrono::milliseconds(answer.responseMilliseconds + 900);
                recorder.Answered(answer);
            }
        }
    }
}
