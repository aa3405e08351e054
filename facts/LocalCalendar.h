#pragma once

#include "common/WallTime.h"

#include <chrono>
#include <cstdint>
#include <limits>
#include <string>

// Calendar days in the computer's time zone, as the family lives them.
class LocalCalendar {
public:
    // The local day the time falls on.
    std::chrono::sys_days DayOf(WallTime time);

private:
    // Time zones change their offset on quarter hours at the finest, so one look-up serves
    // every answer of a quarter hour.
    static constexpr std::int64_t kQuarterHour = 15 * 60;

    std::int64_t quarter_ = std::numeric_limits<std::int64_t>::min();
    std::chrono::seconds offset_{0};
};

// "08.12.2026".
std::string DateText(std::chrono::sys_days day);
