#pragma once

#include "facts/AnswerRecorder.h"

#include <string>
#include <vector>

// Keeps what the engine tells it, as text: "round 10 timed 5 1,2,...", "7x8 '54' wrong 1200".
class FakeRecorder final : public AnswerRecorder {
public:
    void RoundStarted(const RoundFacts& round) override {
        std::string rows;
        for (const int row : round.rows) {
            rows += (rows.empty() ? "" : ",") + std::to_string(row);
        }
        told.push_back("round " + std::to_string(round.problemTotal) +
                       (round.timed ? " timed " : " untimed ") + std::to_string(round.stepTenths) +
                       " " + rows);
    }
    void Answered(const AnsweredProblem& answer) override {
        static const char* const kOutcomes[] = {"right", "wrong", "empty", "timeout"};
        told.push_back(std::to_string(answer.multiplier) + "x" + std::to_string(answer.row) + " '" +
                       answer.answer + "' " + kOutcomes[static_cast<int>(answer.outcome)] + " " +
                       std::to_string(answer.responseMilliseconds));
    }

    std::vector<std::string> told;
};
