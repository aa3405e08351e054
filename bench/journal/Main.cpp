// kalkuno_journal_bench <journal path> [commits]: makes a journal of 100 000 answers in rounds of
// 10 at the path (replacing what is there), spread over eight months and with about one answer in
// five wrong, empty or too late, prints its size per answer, then records the given number of
// answers (default 2000) through JournalRecorder into it, one commit each, and prints how long an
// answer and a round start took.
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/JournalRemoval.h"
#include "journal/JournalSchema.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteTransaction.h"
#include "journal/UtcTime.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
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

// Eight months of rounds, from the start of a school year.
const WallTime kFirstRound =
    std::chrono::sys_days(std::chrono::year(2026) / 4 / 13) + std::chrono::hours(14);
constexpr auto kBetweenRounds =
    std::chrono::duration_cast<std::chrono::seconds>(std::chrono::days(240)) /
    (kFilledAnswers / kAnswersPerRound);
constexpr std::chrono::seconds kBetweenAnswers{4};

// A child's answer: mostly right, sometimes a neighbour's product, empty or too late.
AnsweredProblem ChildsAnswer(int i, std::minstd_rand& random) {
    AnsweredProblem answer = AnswerNumber(i);
    const auto roll = random() % 100;
    if (roll < 12) {
        answer.answer = std::to_string(answer.multiplier * answer.row + answer.row);
        answer.outcome = AnswerOutcome::Wrong;
    } else if (roll < 15) {
        answer.answer.clear();
        answer.outcome = AnswerOutcome::Empty;
    } else if (roll < 18) {
        answer.answer.clear();
        answer.outcome = AnswerOutcome::TimeOut;
        answer.responseMilliseconds = 10'000;
    }
    return answer;
}

// One transaction for the whole fill: making the journal is not what is measured.
void Fill(const fs::path& path) {
    if (const std::error_code error = RemoveJournal(path)) {
        throw fs::filesystem_error("cannot remove the old journal", path, error);
    }
    {
        // Creates the file with its schema.
        const Journal created(path);
    }
    const SqliteConnection connection(path);
    SqliteTransaction transaction(connection);
    SqliteStatement round = connection.Prepare(
        "INSERT INTO rounds (started_at, problem_total, timed, step_tenths, rows) "
        "VALUES (?, 10, 1, 5, '2,3,4,5,6,7,8,9')");
    SqliteStatement answer = connection.Prepare(
        "INSERT INTO answers (round_id, answered_at, multiplier, table_row, answer, outcome, "
        "response_ms) VALUES (?, ?, ?, ?, ?, ?, ?)");
    std::minstd_rand random(8);
    std::int64_t roundId = 0;
    WallTime started;
    for (int i = 0; i < kFilledAnswers; ++i) {
        if (i % kAnswersPerRound == 0) {
            started = kFirstRound + kBetweenRounds * (i / kAnswersPerRound);
            round.Bind(1, JournalTimeText(started)).Run();
            roundId = connection.LastInsertedRow();
        }
        const AnsweredProblem problem = ChildsAnswer(i, random);
        answer.Bind(1, roundId)
            .Bind(2, JournalTimeText(started + kBetweenAnswers * (i % kAnswersPerRound + 1)))
            .Bind(3, std::int64_t{problem.multiplier})
            .Bind(4, std::int64_t{problem.row})
            .Bind(5, problem.answer)
            .Bind(6, OutcomeText(problem.outcome))
            .Bind(7, problem.responseMilliseconds)
            .Run();
    }
    transaction.Commit();
    connection.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
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
    Fill(path);
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
