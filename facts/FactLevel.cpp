#include "facts/FactLevel.h"

#include "facts/FactState.h"

LevelCount::LevelCount(std::chrono::milliseconds threshold, LocalCalendar& calendar)
    : threshold_(threshold)
    , calendar_(calendar) {}

bool LevelCount::Add(WallTime answeredAt, AnswerOutcome outcome,
                     std::int64_t responseMilliseconds) {
    if (settled_) {
        return false;
    }
    const std::chrono::sys_days day = calendar_.DayOf(answeredAt);
    if (!progress_.level) {
        progress_ = {0, answeredAt, day};
    }
    if (outcome != AnswerOutcome::Right) {
        settled_ = true;
        return false;
    }
    if (RightAndFast(outcome, responseMilliseconds, threshold_) && day != countedDay_) {
        countedDay_ = day;
        ++*progress_.level;
    }
    settled_ = *progress_.level == kTopLevel;
    return !settled_;
}

std::optional<std::chrono::sys_days> DueDay(const FactProgress& progress) {
    if (!progress.level || *progress.level < 1) {
        return std::nullopt;
    }
    return progress.lastDay + std::chrono::days(kReviewDays[*progress.level - 1]);
}

FactStanding StandingOf(const FactProgress& progress, std::chrono::sys_days today) {
    if (!progress.level) {
        return {};
    }
    const auto due = DueDay(progress);
    if (!due) {
        return {FactNeed::Learning, progress.lastDay};
    }
    return {*due <= today ? FactNeed::Due : FactNeed::Resting, *due};
}

FactProgressTable ProgressOf(const std::vector<RecordedAnswer>& answers,
                             std::chrono::milliseconds threshold) {
    LocalCalendar calendar;
    std::vector<LevelCount> counts(kFacts, LevelCount(threshold, calendar));
    for (auto answer = answers.rbegin(); answer != answers.rend(); ++answer) {
        const AnsweredProblem& problem = answer->problem;
        if (IsFact(problem.Problem())) {
            counts[FactIndex(problem.Problem())].Add(answer->answeredAt, problem.outcome,
                                                     problem.responseMilliseconds);
        }
    }
    FactProgressTable table;
    for (std::size_t index = 0; index < table.size(); ++index) {
        table[index] = counts[index].Progress();
    }
    return table;
}
