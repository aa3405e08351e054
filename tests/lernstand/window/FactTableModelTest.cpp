#include "lernstand/window/FactTableModel.h"

#include "journal/UtcTime.h"
#include "tests/support/ScopedVariable.h"

#include <QColor>
#include <QTest>

#include <ctime>

namespace {

RecordedAnswer Answer(int multiplier, int row, AnswerOutcome outcome, const std::string& given,
                      std::int64_t milliseconds, const char* at) {
    RecordedAnswer answer;
    answer.answeredAt = *ParseJournalTime(at);
    answer.problem = {multiplier, row, given, outcome, milliseconds};
    return answer;
}

// 7 · 8 answered six times, the oldest first; the oldest no longer shows.
const std::vector<RecordedAnswer> kJournal{
    Answer(7, 8, AnswerOutcome::Right, "56", 1000, "2026-12-01T08:00:00.000Z"),
    Answer(7, 8, AnswerOutcome::Right, "56", 1234, "2026-12-02T08:00:00.000Z"),
    Answer(7, 8, AnswerOutcome::Empty, "", 5000, "2026-12-03T08:00:00.000Z"),
    Answer(7, 8, AnswerOutcome::TimeOut, "", 10000, "2026-12-04T08:00:00.000Z"),
    Answer(7, 8, AnswerOutcome::Wrong, "1000", 2449, "2026-12-05T23:30:00.000Z"),
    Answer(7, 8, AnswerOutcome::Right, "56", 951, "2026-12-08T08:00:00.000Z"),
    Answer(3, 4, AnswerOutcome::Right, "12", 2999, "2026-12-08T08:00:00.000Z"),
};

} // namespace

class FactTableModelTest : public QObject {
    Q_OBJECT

private slots:
    void cellTexts_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("text");
        QTest::newRow("display") << 7 << 6 << int(Qt::DisplayRole) << QStringLiteral("7 · 8");
        QTest::newRow("accessible")
            << 7 << 6 << int(Qt::AccessibleTextRole) << QStringLiteral("7 · 8: üben");
        QTest::newRow("tooltip, the last five answers in local days")
            << 7 << 6 << int(Qt::ToolTipRole)
            << QStringLiteral(
                   "7 · 8: üben\n08.12.2026: 56, richtig, 1,0 s\n06.12.2026: 1000, falsch, 2,4 s\n"
                   "04.12.2026: Zeit abgelaufen, falsch, 10,0 s\n03.12.2026: leer, falsch, 5,0 s\n"
                   "02.12.2026: 56, richtig, 1,2 s");
        QTest::newRow("description, the answers for screen readers")
            << 7 << 6 << int(Qt::AccessibleDescriptionRole)
            << QStringLiteral("08.12.2026: 56, richtig, 1,0 s\n06.12.2026: 1000, falsch, 2,4 s\n"
                              "04.12.2026: Zeit abgelaufen, falsch, 10,0 s\n03.12.2026: leer, "
                              "falsch, 5,0 s\n02.12.2026: 56, richtig, 1,2 s");
        QTest::newRow("one answer")
            << 3 << 2 << int(Qt::AccessibleTextRole) << QStringLiteral("3 · 4: fast sicher");
        QTest::newRow("no answer")
            << 0 << 0 << int(Qt::ToolTipRole) << QStringLiteral("1 · 1: neu");
        QTest::newRow("last cell") << 19 << 9 << int(Qt::DisplayRole) << QStringLiteral("10 · 20");
    }

    void cellTexts() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, role);
        QFETCH(QString, text);
        const ScopedVariable zone("TZ", "CET-1");
        tzset();
        FactTableModel model;
        model.SetFacts(FactTable(kJournal));
        QCOMPARE(model.data(model.index(row, column), role).toString(), text);
    }

    void rowsSwitchedOffLookPale() {
        FactTableModel model;
        RowSwitches rowsOn{};
        rowsOn.fill(true);
        rowsOn[2] = false;
        model.SetRowsInForce(rowsOn);
        QCOMPARE(model.headerData(2, Qt::Vertical, Qt::DisplayRole).toString(),
                 QStringLiteral("Reihe 3"));
        QCOMPARE(model.headerData(2, Qt::Vertical, Qt::ToolTipRole).toString(),
                 QStringLiteral("in den Einstellungen abgeschaltet"));
        QVERIFY(model.headerData(2, Qt::Vertical, Qt::ForegroundRole).canConvert<QColor>());
        QVERIFY(!model.headerData(3, Qt::Vertical, Qt::ToolTipRole).isValid());
        QVERIFY(!model.headerData(3, Qt::Vertical, Qt::ForegroundRole).isValid());
    }
};

QTEST_GUILESS_MAIN(FactTableModelTest)
#include "FactTableModelTest.moc"
