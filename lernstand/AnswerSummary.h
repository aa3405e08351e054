#pragma once

#include "facts/Answer.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// What the whole journal says in one line.
struct AnswerSummary {
    int answers = 0;
    int right = 0;
    // Local days with at least one answer.
    int days = 0;
    std::optional<std::chrono::sys_days> lastDay;
};

// How many answers were given on one local day.
struct DayCount {
    std::chrono::sys_days day;
    int answers = 0;
};

inline constexpr int kStripDays = 14;

// The summary and the answers per day of the kStripDays local days up to today, oldest first.
struct JournalOverview {
    AnswerSummary summary;
    std::vector<DayCount> recentDays;
};

JournalOverview Overview(const std::vector<RecordedAnswer>& answers, WallTime now);

// The share of right answers in whole percent: 100 only when every answer was right, 0 only when
// none was.
int RightPercent(const AnswerSummary& summary);

// "120 Antworten, davon 85 % richtig, an 6 Tagen geübt, zuletzt am 08.12.2026"; empty without
// answers.
std::string SummaryText(const AnswerSummary& summary);
