#pragma once

#include "common/WallTime.h"
#include "facts/Answer.h"
#include "facts/Fact.h"
#include "facts/LocalCalendar.h"

#include <array>
#include <chrono>
#include <optional>
#include <vector>

// How far a fact has come in spaced practice, 0 to kTopLevel.
inline constexpr int kTopLevel = 6;
// A fact of level n is due again this many days after the day of its newest answer.
inline constexpr int kReviewDays[kTopLevel] = {1, 2, 4, 8, 16, 30};

// A fact's level and its newest answer; a fact without answers has no level.
struct FactProgress {
    std::optional<int> level;
    WallTime lastAnswer{};
    std::chrono::sys_days lastDay{};
};

// Works a fact's level out from its answers, handed over the newest first: it counts the answers
// that are right and faster than the threshold back from the newest, at most one a local day, and
// stops at the first answer that is not right. A right but slow answer counts neither way: slow
// typing or a slow moment must not undo what the child has shown to know.
class LevelCount {
public:
    LevelCount(std::chrono::milliseconds threshold, LocalCalendar& calendar);

    // Takes the next older answer; false once older answers can no longer change the level.
    bool Add(WallTime answeredAt, AnswerOutcome outcome, std::int64_t responseMilliseconds);
    const FactProgress& Progress() const { return progress_; }

private:
    std::chrono::milliseconds threshold_;
    LocalCalendar& calendar_;
    FactProgress progress_;
    std::optional<std::chrono::sys_days> countedDay_;
    bool settled_ = false;
};

// The day a fact of level 1 or more is due again; none for other facts.
std::optional<std::chrono::sys_days> DueDay(const FactProgress& progress);

// What a fact needs in spaced practice today.
enum class FactNeed {
    New,      // never answered
    Learning, // level 0: being learned
    Due,      // level 1 or more, and its day has come
    Resting,  // level 1 or more, due later
};

struct FactStanding {
    FactNeed need = FactNeed::New;
    // For a fact being learned, the day of its newest answer; for a fact due or resting, its due
    // day.
    std::chrono::sys_days since{};
};

// The one rule that says which facts need practice: a fact of level 0 is being learned, one whose
// due day is today or earlier is due.
FactStanding StandingOf(const FactProgress& progress, std::chrono::sys_days today);

// The progress of every fact of the table, at FactIndex.
using FactProgressTable = std::array<FactProgress, kFacts>;

// From every answer of a journal, the oldest first.
FactProgressTable ProgressOf(const std::vector<RecordedAnswer>& answers,
                             std::chrono::milliseconds threshold);
