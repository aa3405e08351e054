#include "plan/JournalProblemSource.h"

#include "facts/LocalCalendar.h"
#include "journal/JournalLocation.h"
#include "journal/JournalReader.h"
#include "plan/JournalProgress.h"
#include "settings/SettingsReader.h"

#include <exception>
#include <iostream>
#include <utility>

JournalProblemSource::JournalProblemSource(std::filesystem::path journal,
                                           const SettingsSource& settings, WallClock now,
                                           std::ostream& errors)
    : journal_(std::move(journal))
    , settings_(settings)
    , now_(std::move(now))
    , errors_(errors) {}

bool JournalProblemSource::TypingCheckDue() {
    std::optional<TypingCheck> newest;
    const JournalReading reading =
        ReadJournalReadOnly(journal_, [&newest](const SqliteConnection& connection) {
            newest = ReadNewestTypingCheck(connection);
        });
    // The plan that follows tells why it cannot read the journal.
    if (!JournalReading::Readable(reading.found)) {
        return false;
    }
    LocalCalendar calendar;
    const std::optional<std::chrono::sys_days> checked =
        newest ? std::optional(calendar.DayOf(newest->checkedAt)) : std::nullopt;
    return ::TypingCheckDue(checked, calendar.DayOf(now_()));
}

std::optional<std::vector<PlannedProblem>>
JournalProblemSource::PlanRound(const RowSwitches& rows, std::int32_t problemTotal,
                                RandomGenerator& random) {
    if (problemTotal > kMostPlanned) {
        return std::nullopt;
    }
    const JournalProgress journal =
        ReadJournalProgress(journal_, rows, settings::ReadThreshold(settings_));
    if (!JournalReading::Readable(journal.reading.found)) {
        errors_ << "Kalkuno: Gezielt üben setzt für diese Runde aus, der Lernstand ist nicht "
                   "lesbar: "
                << journal.reading.problem << " (" << journal_.string() << ")" << std::endl;
        return std::nullopt;
    }
    return ::PlanRound(journal.progress, rows, problemTotal, LocalCalendar().DayOf(now_()), random);
}

std::unique_ptr<ProblemSource> MakeOwnProblemSource(const SettingsSource& settings) {
    try {
        return std::make_unique<JournalProblemSource>(
            JournalPath(), settings, [] { return std::chrono::system_clock::now(); }, std::cerr);
    } catch (const std::exception&) {
        // The recorder tells already that there is no journal.
        return nullptr;
    }
}
