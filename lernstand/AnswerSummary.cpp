#include "lernstand/AnswerSummary.h"

#include "facts/LocalCalendar.h"

#include <cmath>
#include <set>

namespace {

std::string Counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

int RightPercent(const AnswerSummary& summary) {
    const int right = summary.right;
    const int answers = summary.answers;
    const int nearest = static_cast<int>(std::lround(100.0 * static_cast<double>(right) / answers));
    if (right < answers && nearest == 100) {
        return 99;
    }
    return right > 0 && nearest == 0 ? 1 : nearest;
}

JournalOverview Overview(const std::vector<RecordedAnswer>& answers, WallTime now) {
    LocalCalendar calendar;
    JournalOverview overview;
    const std::chrono::sys_days today = calendar.DayOf(now);
    for (int back = kStripDays - 1; back >= 0; --back) {
        overview.recentDays.push_back({today - std::chrono::days(back), 0});
    }
    const std::chrono::sys_days firstShown = overview.recentDays.front().day;
    std::set<std::chrono::sys_days> days;
    AnswerSummary& summary = overview.summary;
    for (const RecordedAnswer& answer : answers) {
        const std::chrono::sys_days day = calendar.DayOf(answer.answeredAt);
        ++summary.answers;
        summary.right += answer.problem.outcome == AnswerOutcome::Right ? 1 : 0;
        days.insert(day);
        if (!summary.lastDay || day > *summary.lastDay) {
            summary.lastDay = day;
        }
        if (day >= firstShown && day <= today) {
            ++overview.recentDays.at(static_cast<std::size_t>((day - firstShown).count())).answers;
        }
    }
    summary.days = static_cast<int>(days.size());
    return overview;
}

std::string SummaryText(const AnswerSummary& summary) {
    if (summary.answers == 0 || !summary.lastDay) {
        return {};
    }
    return Counted(summary.answers, "Antwort", "Antworten") + ", davon " +
           std::to_string(RightPercent(summary)) + " % richtig, an " +
           Counted(summary.days, "Tag", "Tagen") + " geübt, zuletzt am " +
           DateText(*summary.lastDay);
}
