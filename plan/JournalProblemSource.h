#pragma once

#include "plan/ProblemSource.h"
#include "settings/SettingsSource.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>

// Plans each round from the child's journal, with the threshold the newest typing check there
// gives, and asks for a check when there is none yet or it is a month old. A journal it cannot
// read leaves the round to the usual draw, without a check, and is told in one line on the error
// stream; the child sees nothing of it.
class JournalProblemSource final : public ProblemSource {
public:
    using WallClock = std::function<WallTime()>;

    // The chosen threshold comes from the settings; the clock tells which facts are due today.
    JournalProblemSource(std::filesystem::path journal, const SettingsSource& settings,
                         WallClock now, std::ostream& errors);

    bool TypingCheckDue() override;
    std::optional<std::vector<PlannedProblem>>
    PlanRound(const RowSwitches& rows, std::int32_t problemTotal, RandomGenerator& random) override;

private:
    std::filesystem::path journal_;
    const SettingsSource& settings_;
    WallClock now_;
    std::ostream& errors_;
};

// The source that plans from the user's own journal; null when there is no data folder for one.
std::unique_ptr<ProblemSource> MakeOwnProblemSource(const SettingsSource& settings);
