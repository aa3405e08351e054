#pragma once

#include "facts/Answer.h"

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

// Answers written as words, the newest first: "r2999" right in 2999 ms, "f" wrong, "l" an
// empty Enter, "z" a time-out (those last 1000 ms).
inline std::vector<FactAnswer> FactAnswers(const std::string& words) {
    std::vector<FactAnswer> answers;
    std::istringstream in(words);
    std::string word;
    while (in >> word) {
        FactAnswer answer;
        answer.outcome = word[0] == 'r'   ? AnswerOutcome::Right
                         : word[0] == 'l' ? AnswerOutcome::Empty
                         : word[0] == 'z' ? AnswerOutcome::TimeOut
                                          : AnswerOutcome::Wrong;
        answer.responseMilliseconds = word.size() > 1 ? std::stoll(word.substr(1)) : 1000;
        answers.push_back(answer);
    }
    return answers;
}

// One journal answer to multiplier · row, recorded at the given time.
inline RecordedAnswer Recorded(int multiplier, int row, const FactAnswer& fact, WallTime at = {}) {
    RecordedAnswer answer;
    answer.answeredAt = at;
    answer.problem = {multiplier, row, fact.answer, fact.outcome, fact.responseMilliseconds};
    return answer;
}
