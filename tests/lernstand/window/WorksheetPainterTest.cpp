#include "lernstand/window/WorksheetPainter.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The text of every page of the PDF in the order it was written, as poppler-utils read it.
QStringList PdfPages(const QString& file) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-raw"), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0) {
        qWarning("pdftotext (poppler-utils) failed: %s", qPrintable(pdftotext.errorString()));
    }
    // Each page ends in a form feed.
    QStringList pages =
        QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast();
    return pages;
}

// The text on the page is the name as shown, or its start followed by "…".
bool ShownAs(const QString& onPage, const QString& shown) {
    return onPage == shown || (onPage.endsWith(u'…') && shown.startsWith(onPage.chopped(1)));
}

} // namespace

class WorksheetPainterTest : public QObject {
    Q_OBJECT

private slots:
    void worksheetPdfHoldsProblemsAndSolutions() {
        std::vector<WorksheetProblem> problems;
        for (int i = 0; i < 30; ++i) {
            problems.push_back({i % 10 + 1, i / 10 * 7 + 2});
        }
        const QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("Arbeitsblatt.pdf"));
        QCOMPARE(WriteWorksheetPdf(file, WorksheetPages(problems)), QString());

        const QStringList pages = PdfPages(file);
        QCOMPARE(pages.size(), 2);
        const QString& sheet = pages[0];
        const QString& solutions = pages[1];
        QVERIFY2(sheet.contains(QStringLiteral("Einmaleins-Arbeitsblatt")), qPrintable(sheet));
        QVERIFY(sheet.contains(QStringLiteral("Name: ______________ Datum: ______________")) ||
                sheet.contains(QStringLiteral("Name: ______________   Datum: ______________")));
        QCOMPARE(sheet.count(QStringLiteral("= ____")), 30);
        QVERIFY2(solutions.startsWith(QStringLiteral("Lösungen")), qPrintable(solutions));
        for (const WorksheetProblem& problem : problems) {
            const QString fact =
                QStringLiteral("%1 · %2 = ").arg(problem.multiplier).arg(problem.row);
            QVERIFY2(sheet.contains(fact + QStringLiteral("____")), qPrintable(fact));
            QVERIFY2(solutions.contains(fact + QString::number(problem.multiplier * problem.row)),
                     qPrintable(fact));
        }
    }

    // For the class: every child's sheet with the name on it, then every child's solutions.
    void classPdfHoldsASheetPerPupilThenTheSolutions() {
        const std::vector<PupilWorksheet> sheets = {
            {"Anna", std::vector<WorksheetProblem>(30, WorksheetProblem{7, 8})},
            {"Ben", std::vector<WorksheetProblem>(30, WorksheetProblem{3, 4})}};
        const QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("Klasse.pdf"));
        QCOMPARE(WriteWorksheetPdf(file, ClassWorksheetPages(sheets)), QString());

        const QStringList pages = PdfPages(file);
        QCOMPARE(pages.size(), 4);
        QVERIFY2(pages[0].contains(QStringLiteral("Name: Anna")), qPrintable(pages[0]));
        QCOMPARE(pages[0].count(QStringLiteral("7 · 8 = ____")), 30);
        QVERIFY2(pages[1].contains(QStringLiteral("Name: Ben")), qPrintable(pages[1]));
        QCOMPARE(pages[1].count(QStringLiteral("3 · 4 = ____")), 30);
        QVERIFY2(pages[2].startsWith(QStringLiteral("Lösungen – Anna")), qPrintable(pages[2]));
        QCOMPARE(pages[2].count(QStringLiteral("7 · 8 = 56")), 30);
        QVERIFY2(pages[3].startsWith(QStringLiteral("Lösungen – Ben")), qPrintable(pages[3]));
        QCOMPARE(pages[3].count(QStringLiteral("3 · 4 = 12")), 30);
    }

    // A child's name from a pupil's journal stands on the name line and above the solutions as
    // ShownText has it; one too long for its line is shortened further with "…" before it could
    // push the date, or anything else, past the margin.
    void theNameLineTakesAnyName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("markup") << QStringLiteral(R"(<img src="&#47;dev&#47;zero">)")
                                << QStringLiteral(R"(<img src="&#47;dev&#47;zero">)");
        QTest::newRow("a newline and a right-to-left override")
            << QStringLiteral("Anna\nBen\u202Ex") << QStringLiteral("Anna□Ben□x");
        QTest::newRow("100 000 characters")
            << QString(100'000, u'W') << QString(119, u'W') + QStringLiteral("…");
    }

    void theNameLineTakesAnyName() {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        const std::vector<PupilWorksheet> sheets = {
            {name.toStdString(), std::vector<WorksheetProblem>(30, WorksheetProblem{7, 8})}};
        const QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("Klasse.pdf"));
        QCOMPARE(WriteWorksheetPdf(file, ClassWorksheetPages(sheets)), QString());

        const QStringList pages = PdfPages(file);
        QCOMPARE(pages.size(), 2);
        const QString nameLine = pages[0].split(u'\n').filter(QStringLiteral("Name: ")).value(0);
        const qsizetype date = nameLine.indexOf(QStringLiteral(" Datum: ______________"));
        QVERIFY2(nameLine.startsWith(QStringLiteral("Name: ")) && date > 0, qPrintable(nameLine));
        QVERIFY2(ShownAs(nameLine.mid(6, date - 6).trimmed(), shown), qPrintable(nameLine));
        const QString heading = pages[1].section(u'\n', 0, 0);
        QVERIFY2(heading.startsWith(QStringLiteral("Lösungen – ")), qPrintable(heading));
        QVERIFY2(ShownAs(heading.mid(11), shown), qPrintable(heading));
        // A line of W in 14 points holds some 30 between the margins.
        QVERIFY2(nameLine.count(u'W') < 40, qPrintable(nameLine));
    }
};

QTEST_MAIN(WorksheetPainterTest)
#include "WorksheetPainterTest.moc"
