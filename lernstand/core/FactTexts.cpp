#include "lernstand/core/FactTexts.h"

#include "lernstand/core/LocalCalendar.h"

std::string FactLabel(int multiplier, int row) {
    return std::to_string(multiplier) + " · " + std::to_string(row);
}

std::string FactStateText(int multiplier, int row, FactState state) {
    return FactLabel(multiplier, row) + ": " + std::string(StateName(state));
}

std::string DecimalSeconds(std::int64_t milliseconds) {
    const std::int64_t tenths = (milliseconds + 50) / 100;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::string AnswerLine(const FactAnswer& answer) {
    std::string given = answer.answer;
    if (answer.outcome == AnswerOutcome::Empty) {
        given = "leer";
    } else if (answer.outcome == AnswerOutcome::TimeOut) {
        given = "Zeit abgelaufen";
    }
    return DateText(LocalCalendar().DayOf(answer.answeredAt)) + ": " + given + ", " +
           (answer.outcome == AnswerOutcome::Right ? "richtig" : "falsch") + ", " +
           DecimalSeconds(answer.responseMilliseconds) + " s";
}

std::string AnswerLines(std::span<const FactAnswer> newestFirst) {
    std::string lines;
    for (const FactAnswer& answer : newestFirst) {
        lines += (lines.empty() ? "" : "\n") + AnswerLine(answer);
    }
    return lines;
}

std::string FactToolTip(int multiplier, int row, FactState state,
                        std::span<const FactAnswer> newestFirst) {
    const std::string lines = AnswerLines(newestFirst);
    return FactStateText(multiplier, row, state) + (lines.empty() ? "" : "\n") + lines;
}
