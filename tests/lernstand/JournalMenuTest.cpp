#include "lernstand/JournalMenu.h"

#include "journal/JournalRecorder.h"
#include "journal/UtcTime.h"
#include "lernstand/TLernstand.h"
#include "lernstand/WorksheetPainter.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempConfigDir.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

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

void RecordOneAnswer(const fs::path& journal) {
    JournalRecorder recorder(journal, [] { return *ParseJournalTime("2026-12-08T09:15:02.347Z"); });
    recorder.RoundStarted({10, true, 5, {8}});
    recorder.Answered({7, 8, "54", AnswerOutcome::Wrong, 4200});
}

} // namespace

class JournalMenuTest : public QObject {
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

    void opensOtherJournalsReadOnly() {
        const TempConfigDir config;
        const ScopedVariable dataHome("XDG_DATA_HOME", config.Path().string());
        const fs::path own = config.Path() / "Kalkuno" / "Lernstand.sqlite";
        const fs::path stick = config.Path() / "stick";
        fs::create_directories(stick);
        const fs::path pupil = stick / "Lernstand.sqlite";
        RecordOneAnswer(pupil);

        TLernstand window(own);
        window.show();
        auto* menu = window.findChild<JournalMenu*>();
        auto* record = window.findChild<QCheckBox*>(QStringLiteral("Record"));
        auto* weakRows = window.findChild<QPushButton*>(QStringLiteral("WeakRows"));
        auto* summary = window.findChild<QLabel*>(QStringLiteral("Summary"));

        menu->OpenFile(QString::fromStdString(pupil));
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Reihenheld Lernstand – Lernstand.sqlite aus ") +
                     QString::fromStdString(stick));
        QVERIFY(summary->text().startsWith(QStringLiteral("1 Antwort")));
        QVERIFY(!record->isEnabled());
        QVERIFY(!weakRows->isEnabled());
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("Delete"))->isEnabled());

        emit menu->OwnJournalChosen();
        QCOMPARE(window.windowTitle(), QStringLiteral("Reihenheld Lernstand"));
        QVERIFY(record->isEnabled());
        QVERIFY(weakRows->isEnabled());
        QVERIFY(!fs::exists(own));
    }
};

QTEST_MAIN(JournalMenuTest)
#include "JournalMenuTest.moc"
