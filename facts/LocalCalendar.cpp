#include "facts/LocalCalendar.h"

#include <cstdio>
#include <ctime>

std::chrono::sys_days LocalCalendar::DayOf(WallTime time) {
    using std::chrono::seconds;
    const seconds since = std::chrono::floor<seconds>(time.time_since_epoch());
    const std::int64_t quarter =
        since.count() >= 0 ? since.count() / kQuarterHour : (since.count() + 1) / kQuarterHour - 1;
    if (quarter != quarter_) {
        const std::time_t start = static_cast<std::time_t>(quarter * kQuarterHour);
        std::tm local{};
        localtime_r(&start, &local);
        offset_ = seconds(local.tm_gmtoff);
        quarter_ = quarter;
    }
    return std::chrono::floor<std::chrono::days>(std::chrono::sys_seconds(since + offset_));
}

std::string DateText(std::chrono::sys_days day) {
    const std::chrono::year_month_day date(day);
    char text[40];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
    return text;
}
