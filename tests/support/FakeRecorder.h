#pragma once

#include "facts/AnswerRecorder.h"

#include <string>
#include <vector>

// Keeps what the engine tells it, as text: "round 10 timed 5 1,2,...", "7x8 '54' wrong 1200",
// "typing 47:'47' 1200, 12:'13' 800".
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

    void TypingChecked(const std::vector<TypedNumber>& numbers) override {
        std::string check = "typing";
        for (const TypedNumber& number : numbers) {
            check += (check.size() > 6 ? ", " : " ") + number.shown + ":'" + number.typed + "' " +
                     std::to_string(number.responseMilliseconds);
        }
        told.push_back(check);
    }

    std::vector<std::string> told;
};
