#include "journal/UtcTime.h"

#include <array>
#include <cstdio>

using namespace std::chrono;

namespace {

// The decimal value of text[from, from + count), -1 unless all are digits.
int Digits(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::string JournalTimeText(WallTime time) {
    const auto inMilliseconds = floor<milliseconds>(time);
    const auto dayStart = floor<days>(inMilliseconds);
    const year_month_day date(dayStart);
    const hh_mm_ss<milliseconds> clock(inMilliseconds - dayStart);
    std::array<char, 40> text{};
    const int length = std::snprintf(
        text.data(), text.size(), "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ",
        static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
        static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
        static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()),
        static_cast<int>(clock.subseconds().count()));
    return std::string(text.data(), static_cast<std::size_t>(length));
}

std::string CompactTimeText(WallTime time) {
    std::string compact;
    for (const char c : JournalTimeText(time).substr(0, 19)) {
        if (c != '-' && c != ':') {
            compact += c;
        }
    }
    return compact + 'Z';
}

std::optional<WallTime> ParseJournalTime(std::string_view text) {
    constexpr std::string_view kShape = "0000-00-00T00:00:00.000Z";
    if (text.size() != kShape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] != '0' && text[i] != kShape[i]) {
            return std::nullopt;
        }
    }
    const int fields[] = {Digits(text, 0, 4),  Digits(text, 5, 2),  Digits(text, 8, 2),
                          Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2),
                          Digits(text, 20, 3)};
    for (const int field : fields) {
        if (field < 0) {
            return std::nullopt;
        }
    }
    const year_month_day date{year(fields[0]), month(static_cast<unsigned>(fields[1])),
                              day(static_cast<unsigned>(fields[2]))};
    if (!date.ok() || fields[3] > 23 || fields[4] > 59 || fields[5] > 59) {
        return std::nullopt;
    }
    return sys_days(date) + hours(fields[3]) + minutes(fields[4]) + seconds(fields[5]) +
           milliseconds(fields[6]);
}
