#include "lernstand/AnswerTable.h"

#include "journal/UtcTime.h"
#include "tests/support/ScopedVariable.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

const std::string kHead = "\xEF\xBB\xBF"
                          "Datum;Uhrzeit;Aufgabe;Antwort;Ergebnis;Sekunden;Runde\r\n";

struct CsvCase {
    std::string name;
    std::string answeredAt;
    std::string answer;
    AnswerOutcome outcome;
    std::int64_t milliseconds;
    std::string line;
};

// Times in Berlin: an hour ahead of UTC in winter, two in summer.
const CsvCase kCases[] = {
    {"wrong, as in the example", "2026-12-08T08:15:02.947Z", "54", AnswerOutcome::Wrong, 4150,
     "08.12.2026;09:15:02;7 · 8;54;falsch;4,2;12"},
    {"right", "2026-12-08T08:15:02.000Z", "56", AnswerOutcome::Right, 2449,
     "08.12.2026;09:15:02;7 · 8;56;richtig;2,4;12"},
    {"empty Enter", "2026-12-08T08:15:02.000Z", "", AnswerOutcome::Empty, 950,
     "08.12.2026;09:15:02;7 · 8;;leer;1,0;12"},
    {"time-out with a stray text", "2026-12-08T08:15:02.000Z", "5", AnswerOutcome::TimeOut, 20000,
     "08.12.2026;09:15:02;7 · 8;;Zeit abgelaufen;20,0;12"},
    {"summer time past local midnight", "2026-07-01T22:30:00.000Z", "56", AnswerOutcome::Right, 49,
     "02.07.2026;00:30:00;7 · 8;56;richtig;0,0;12"},
    {"a sign the drill accepts", "2026-12-08T08:15:02.000Z", "-3", AnswerOutcome::Wrong, 1000,
     "08.12.2026;09:15:02;7 · 8;'-3;falsch;1,0;12"},
    {"a formula edited into the journal", "2026-12-08T08:15:02.000Z", "=HYPERLINK(\"x\";1)",
     AnswerOutcome::Wrong, 1000,
     "08.12.2026;09:15:02;7 · 8;\"'=HYPERLINK(\"\"x\"\";1)\";falsch;1,0;12"},
};

void PrintTo(const CsvCase& c, std::ostream* out) {
    *out << c.name;
}

class AnswerTableTest : public testing::TestWithParam<CsvCase> {};

TEST_P(AnswerTableTest, OneLinePerAnswerInLocalTime) {
    const CsvCase& c = GetParam();
    const ScopedVariable zone("TZ", "Europe/Berlin");
    tzset();
    JournalAnswer answer;
    answer.round.id = 12;
    answer.answeredAt = *ParseJournalTime(c.answeredAt);
    answer.problem = {7, 8, c.answer, c.outcome, c.milliseconds};
    const JournalAnswer answers[] = {answer};

    EXPECT_EQ(AnswerTableCsv(answers), kHead + c.line + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Csv, AnswerTableTest, testing::ValuesIn(kCases));

TEST(AnswerTableTest, WithoutAnswersOnlyTheHeader) {
    EXPECT_EQ(AnswerTableCsv({}), kHead);
}

} // namespace
