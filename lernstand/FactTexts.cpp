#include "lernstand/FactTexts.h"

#include "common/ShownText.h"
#include "facts/LocalCalendar.h"

std::string FactStateText(int multiplier, int row, FactState state) {
    return FactText({multiplier, row}) + ": " + std::string(StateName(state));
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

std::string TypingTimeText(std::chrono::milliseconds typing, std::chrono::milliseconds fastBelow) {
    return "Tippzeit " + DecimalSeconds(typing.count()) + " s: „sicher“ heißt hier schneller als " +
           DecimalSeconds(fastBelow.count()) + " s";
}

std::string AnswerLine(const FactAnswer& answer) {
    const bool answered =
        answer.outcome == AnswerOutcome::Right || answer.outcome == AnswerOutcome::Wrong;
    // What was typed, as a file from elsewhere may hold it.
    const std::string given =
        answered ? ShownText(answer.answer) : std::string(OutcomeName(answer.outcome));
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
                        std::span<const FactAnswer> newestFirst, const std::string& level) {
    std::string tip = FactStateText(multiplier, row, state);
    for (const std::string& line : {level, AnswerLines(newestFirst)}) {
        tip += line.empty() ? "" : "\n" + line;
    }
    return tip;
}

namespace {

// "Do 10.12."
std::string ShortDayText(std::chrono::sys_days day) {
    static constexpr const char* kWeekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    return std::string(kWeekdays[std::chrono::weekday(day).c_encoding()]) + " " +
           DateText(day).substr(0, 6);
}

} // namespace

std::string LevelText(const FactProgress& progress, std::chrono::sys_days today) {
    if (!progress.level) {
        return {};
    }
    const std::string level = "Stufe " + std::to_string(*progress.level);
    const FactStanding standing = StandingOf(progress, today);
    switch (standing.need) {
    case FactNeed::Learning:
        return level + " · wird gerade gelernt";
    case FactNeed::Due:
        return level + " · wieder dran: heute";
    case FactNeed::New:
    case FactNeed::Resting:
        break;
    }
    return level + " · wieder dran am " + ShortDayText(standing.since);
}

std::string TargetedSummaryText(const FactProgressTable& progress, const RowSwitches& rows,
                                std::chrono::sys_days today) {
    int due = 0;
    int learning = 0;
    ForEachFact([&](Fact fact) {
        if (!RowOn(rows, fact.row)) {
            return;
        }
        const FactNeed need = StandingOf(progress.at(FactIndex(fact)), today).need;
        learning += need == FactNeed::Learning ? 1 : 0;
        due += need == FactNeed::Due ? 1 : 0;
    });
    return "Gezielt üben: heute " + std::to_string(due) + " fällig, " + std::to_string(learning) +
           " in Arbeit";
}
