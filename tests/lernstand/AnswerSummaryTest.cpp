#include "lernstand/AnswerSummary.h"

#include "journal/UtcTime.h"
#include "tests/support/Answers.h"
#include "tests/support/ScopedVariable.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

// Central European time without summer time: local midnight is 23:00 UTC.
class InBerlinWinter : public testing::Test {
protected:
    InBerlinWinter() { tzset(); }
    ~InBerlinWinter() override {
        zone_.reset();
        tzset();
    }

private:
    std::optional<ScopedVariable> zone_{std::in_place, "TZ", "CET-1"};
};

std::vector<RecordedAnswer> At(const std::vector<std::pair<const char*, std::string>>& answers) {
    std::vector<RecordedAnswer> journal;
    for (const auto& [time, words] : answers) {
        journal.push_back(Recorded(7, 8, FactAnswers(words).front(), *ParseJournalTime(time)));
    }
    return journal;
}

const WallTime kNoon = *ParseJournalTime("2026-12-08T12:00:00.000Z");

TEST_F(InBerlinWinter, SummaryCountsLocalDays) {
    struct Case {
        std::vector<RecordedAnswer> answers;
        std::string text;
    };
    std::vector<RecordedAnswer> nearlyAllRight(199, At({{"2026-12-08T10:00:00.000Z", "r"}})[0]);
    nearlyAllRight.push_back(At({{"2026-12-08T10:00:01.000Z", "f"}})[0]);
    std::vector<RecordedAnswer> nearlyAllWrong(200, At({{"2026-12-08T10:00:00.000Z", "f"}})[0]);
    nearlyAllWrong.push_back(At({{"2026-12-08T10:00:01.000Z", "r"}})[0]);
    const Case cases[] = {
        {{}, ""},
        {At({{"2026-12-08T10:00:00.000Z", "r"}}),
         "1 Antwort, davon 100 % richtig, an 1 Tag geübt, zuletzt am 08.12.2026"},
        // 22:30 UTC is still the 7th in Berlin, 23:30 UTC already the 8th.
        {At({{"2026-12-07T22:30:00.000Z", "r"}, {"2026-12-07T23:30:00.000Z", "l"}}),
         "2 Antworten, davon 50 % richtig, an 2 Tagen geübt, zuletzt am 08.12.2026"},
        {nearlyAllRight,
         "200 Antworten, davon 99 % richtig, an 1 Tag geübt, zuletzt am 08.12.2026"},
        {nearlyAllWrong, "201 Antworten, davon 1 % richtig, an 1 Tag geübt, zuletzt am 08.12.2026"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SummaryText(Overview(c.answers, kNoon).summary), c.text);
    }
}

TEST_F(InBerlinWinter, StripShowsTheLastFourteenLocalDays) {
    const JournalOverview overview = Overview(At({{"2026-11-24T12:00:00.000Z", "r"},
                                                  {"2026-11-24T23:10:00.000Z", "r"},
                                                  {"2026-12-08T09:00:00.000Z", "f"},
                                                  {"2026-12-08T11:00:00.000Z", "r"}}),
                                              kNoon);
    ASSERT_EQ(overview.recentDays.size(), 14u);
    EXPECT_EQ(overview.recentDays.front().day,
              std::chrono::sys_days(std::chrono::year(2026) / 11 / 25));
    std::vector<int> counts;
    for (const DayCount& day : overview.recentDays) {
        counts.push_back(day.answers);
    }
    EXPECT_EQ(counts, (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}));
}

} // namespace
