#include "lernstand/core/FactTexts.h"

#include "facts/LocalCalendar.h"

std::string FactLabel(int multiplier, int row) {
    return std::to_string(multiplier) + " · " + std::to_string(row);
}

std::string FactStateText(int multiplier, int row, FactState state) {
    return FactLabel(multiplier, row) + ": " + std::string(StateName(state));
}

std::string_view OutcomeName(AnswerOutcome outcome) {
    switch (outcome) {
    case AnswerOutcome::Right:
        return "richtig";
    case AnswerOutcome::Wrong:
        return "falsch";
    case AnswerOutcome::Empty:
        return "leer";
    case AnswerOutcome::TimeOut:
        return "Zeit abgelaufen";
    }
    return {};
}

std::string DecimalSeconds(std::int64_t milliseconds) {
    const std::int64_t tenths = (milliseconds + 50) / 100;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::string AnswerLine(const FactAnswer& answer) {
    const bool answered =
        answer.outcome == AnswerOutcome::Right || answer.outcome == AnswerOutcome::Wrong;
    const std::string given = answered ? answer.answer : std::string(OutcomeName(answer.outcome));
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
