// kalkuno_journal_bench <journal path> [commits]: makes a journal of 100 000 answers in rounds of
// 10 at the path (replacing what is there), eight months of practice of the rows 2 to 9 up to
// yesterday (see Fill.h), prints its size per answer, then records the given number of answers
// (default 2000) through JournalRecorder into it, one commit each, and prints how long an answer
// and a round start took.
#include "bench/journal/Fill.h"
#include "journal/JournalRecorder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFilledAnswers = 100'000;
constexpr int kAnswersPerRound = 10;

const RoundFacts kRound{kAnswersPerRound, true, 5, {2, 3, 4, 5, 6, 7, 8, 9}};

AnsweredProblem AnswerNumber(int i) {
    const std::int32_t multiplier = i % 10 + 1;
    const std::int32_t row = i % 8 + 2;
    return {multiplier, row, std::to_string(multiplier * row), AnswerOutcome::Right,
            1500 + i % 900};
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values.at(index);
}

void PrintTimes(const char* what, const std::vector<double>& times) {
    const auto slow = std::count_if(times.begin(), times.end(), [](double t) { return t > 1.0; });
    std::printf("%s: %zu, p50 %.3f ms, p99 %.3f ms, max %.3f ms, %td over 1 ms\n", what,
                times.size(), Percentile(times, 0.5), Percentile(times, 0.99),
                *std::max_element(times.begin(), times.end()), slow);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <journal path> [commits]\n", argv[0]);
        return 2;
    }
    const fs::path path = argv[1];
    const int commits = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;

    const Clock::time_point fillStart = Clock::now();
    PractisingChild child;
    child.answers = kFilledAnswers;
    child.answersPerRound = kAnswersPerRound;
    child.days = 240;
    child.until = std::chrono::system_clock::now();
    child.rows = {2, 5, 3, 4, 6, 8, 9, 7};
    FillJournal(path, child);
    std::printf("filled %d answers in %.0f ms; %.1f bytes per answer (%ju bytes)\n", kFilledAnswers,
                Milliseconds(Clock::now() - fillStart),
                static_cast<double>(fs::file_size(path)) / kFilledAnswers,
                static_cast<std::uintmax_t>(fs::file_size(path)));

    JournalRecorder recorder(path);
    std::vector<double> all;
    std::vector<double> firstOfRound;
    std::vector<double> roundStarts;
    for (int i = 0; i < commits; ++i) {
        if (i % kAnswersPerRound == 0) {
            const Clock::time_point start = Clock::now();
            recorder.RoundStarted(kRound);
            roundStarts.push_back(Milliseconds(Clock::now() - start));
        }
        const Clock::time_point start = Clock::now();
        recorder.Answered(AnswerNumber(i));
        const double taken = Milliseconds(Clock::now() - start);
        all.push_back(taken);
        if (i % kAnswersPerRound == 0) {
            firstOfRound.push_back(taken);
        }
    }
    PrintTimes("answers recorded", all);
    PrintTimes("first answers of a round", firstOfRound);
    PrintTimes("round starts", roundStarts);
    return 0;
}
