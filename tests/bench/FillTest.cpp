#include "bench/journal/Fill.h"

#include "journal/SqliteConnection.h"
#include "journal/UtcTime.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

namespace {

const WallTime kUntil =
    std::chrono::sys_days(std::chrono::year(2026) / 12 / 8) + std::chrono::hours(9);

struct Case {
    int answers;
    int days;
    std::vector<int> rows;
    std::string name;
};

// A bench's journal misleads if it holds fewer answers or facts than asked, answers after the day
// it stands for, no mistakes or slow answers, or answers outside their round's rows.
TEST(FillJournalTest, MonthsOfPractice) {
    const Case cases[] = {
        {2000, 40, {2, 5, 3}, "Mia K."},
        {3005, 120, {2, 5, 10, 1, 3, 4, 6, 8, 9, 7}, ""},
        {400, 10, {17}, "Ben"},
    };
    for (const Case& given : cases) {
        SCOPED_TRACE(given.answers);
        TempConfigDir dir;
        const std::filesystem::path path = dir.Path() / "Lernstand.sqlite";
        FillJournal(path, {given.answers, 10, given.days, kUntil, given.rows, given.name, 8});
        EXPECT_FALSE(std::filesystem::exists(path.string() + "-wal"));
        const SqliteConnection journal(path, SqliteAccess::ReadOnly);
        const auto count = [&journal](const std::string& where) {
            return journal.QueryInteger("SELECT count(*) FROM answers JOIN rounds ON "
                                        "rounds.id = round_id WHERE " +
                                        where);
        };
        EXPECT_EQ(count("1"), given.answers);
        EXPECT_EQ(journal.QueryInteger("SELECT count(DISTINCT table_row * 100 + multiplier) "
                                       "FROM answers"),
                  static_cast<std::int64_t>(given.rows.size() * 10));
        const std::string day = "'" + JournalTimeText(kUntil).substr(0, 10) + "'";
        const std::string first =
            "'" + JournalTimeText(kUntil - std::chrono::days(given.days + 1)).substr(0, 10) + "'";
        EXPECT_EQ(count("answered_at >= " + day + " OR started_at < " + first), 0);
        EXPECT_GT(count("outcome = 'falsch'"), given.answers / 50);
        EXPECT_GT(count("outcome = 'richtig' AND response_ms >= 3000"), given.answers / 50);
        EXPECT_EQ(count("instr(',' || rows || ',', ',' || table_row || ',') = 0"), 0);
        EXPECT_EQ(count("outcome = 'zeit' AND (timed = 0 OR response_ms != 2100 * step_tenths)"),
                  0);
        EXPECT_EQ(
            journal.QueryInteger("SELECT count(*) FROM child WHERE name = '" + given.name + "'"),
            given.name.empty() ? 0 : 1);
    }
}

// Two pupils of one name count as one child's older copies in the class window.
TEST(PupilNameTest, EveryPupilHasANameOfHisOwn) {
    std::set<std::string> names;
    for (int pupil = 0; pupil < kMostPupils; ++pupil) {
        names.insert(PupilName(pupil));
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kMostPupils));
    EXPECT_EQ(PupilName(12), "Mia M.");
}

} // namespace
