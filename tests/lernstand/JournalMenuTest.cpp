#include "lernstand/JournalMenu.h"

#include "journal/JournalRecorder.h"
#include "journal/UtcTime.h"
#include "lernstand/TLernstand.h"
#include "lernstand/WorksheetPainter.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempConfigDir.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

// The text of one page of the PDF in the order it was written, as poppler-utils read it.
QString PdfPageText(const QString& file, int page) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(page),
                     QStringLiteral("-l"), QString::number(page), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0) {
        qWarning("pdftotext (poppler-utils) failed: %s", qPrintable(pdftotext.errorString()));
        return {};
    }
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

int PdfPages(const QString& file) {
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {file});
    pdfinfo.waitForFinished();
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? 0 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

        QCOMPARE(PdfPages(file), 2);
        const QString sheet = PdfPageText(file, 1);
        const QString solutions = PdfPageText(file, 2);
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
        QCOMPARE(WriteWorksheetPdf(folder.filePath(QStringLiteral("fehlt/Arbeitsblatt.pdf")),
                                   WorksheetPages(problems))
                     .isEmpty(),
                 false);
    }

    void opensOtherJournalsReadOnly() {
        const TempConfigDir config;
        const ScopedVariable dataHome("XDG_DATA_HOME", config.Path().string());
        const fs::path own = config.Path() / "Kalkuno" / "Lernstand.sqlite";
        const fs::path stick = config.Path() / "stick";
        fs::create_directories(stick);
        const fs::path pupil = stick / "Lernstand.sqlite";
        const fs::path shopping = stick / "Einkauf.sqlite";
        RecordOneAnswer(pupil);
        std::ofstream(shopping, std::ios::binary) << "Milch, Brot";
        const std::string pupilBytes = Bytes(pupil);

        TLernstand window(own);
        window.show();
        auto* menu = window.findChild<JournalMenu*>();
        auto* record = window.findChild<QCheckBox*>(QStringLiteral("Record"));
        auto* weakRows = window.findChild<QPushButton*>(QStringLiteral("WeakRows"));
        auto* summary = window.findChild<QLabel*>(QStringLiteral("Summary"));
        ModalBoxWatcher boxes;

        menu->OpenFile(QString::fromStdString(shopping));
        QCOMPARE(window.windowTitle(), QStringLiteral("Reihenheld Lernstand"));
        QVERIFY(record->isEnabled());
        QCOMPARE(boxes.Texts().size(), 1);
        QVERIFY(boxes.Texts()[0].contains(QStringLiteral("ist kein Lernstand")));

        menu->OpenFile(QString::fromStdString(pupil));
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Reihenheld Lernstand – Lernstand.sqlite aus ") +
                     QString::fromStdString(stick));
        QVERIFY(summary->text().startsWith(QStringLiteral("1 Antwort")));
        QVERIFY(!record->isEnabled());
        QVERIFY(!weakRows->isEnabled());
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("Delete"))->isEnabled());
        QCOMPARE(Bytes(pupil), pupilBytes);

        emit menu->OwnJournalChosen();
        QCOMPARE(window.windowTitle(), QStringLiteral("Reihenheld Lernstand"));
        QVERIFY(record->isEnabled());
        QVERIFY(weakRows->isEnabled());
        QVERIFY(!fs::exists(own));
    }
};

QTEST_MAIN(JournalMenuTest)
#include "JournalMenuTest.moc"
