#include "lernstand/window/klasse/TKlasse.h"

#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/UtcTime.h"
#include "tests/support/FileBytes.h"
#include "tests/widgetsupport/FileDialogChoice.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

void Copy(const fs::path& journal, const std::string& name, int answers) {
    {
        JournalRecorder recorder(journal,
                                 [] { return *ParseJournalTime("2026-12-08T09:15:02.347Z"); });
        recorder.RoundStarted({10, false, 5, {8}});
        for (int answer = 0; answer < answers; ++answer) {
            recorder.Answered({7, 8, "54", AnswerOutcome::Wrong, 1200});
        }
    }
    StoreJournalName(journal, name);
}

} // namespace

class TKlasseTest : public QObject {
    Q_OBJECT

private slots:
    // The teacher opens a stick, waits for it to be read, sorts and chooses a pupil.
    void showsTheClassAndHandsOnAChosenPupil() {
        const QTemporaryDir temp;
        const fs::path stick = fs::path(temp.path().toStdString()) / "Klasse";
        fs::create_directories(stick);
        Copy(stick / "a.sqlite", "Zoe", 10);
        Copy(stick / "b.sqlite", "Ali", 9);
        std::ofstream(stick / "Elternabend.txt") << "Donnerstag, 19 Uhr";

        auto* klasse = new TKlasse(stick, std::chrono::seconds(3), RowSwitches{}, nullptr);
        const QSignalSpy chosen(klasse, &TKlasse::PupilChosen);
        klasse->show();
        const auto* progress = klasse->findChild<QProgressBar*>(QStringLiteral("Progress"));
        QTRY_VERIFY(!progress->isVisible());
        QVERIFY(!klasse->findChild<QPushButton*>(QStringLiteral("Cancel"))->isVisible());
        QCOMPARE(klasse->findChild<QLabel*>(QStringLiteral("Status"))->text(),
                 QStringLiteral("2 Kinder, 1 Datei nicht gezählt"));
        QCOMPARE(klasse->windowTitle(),
                 QString::fromStdString("Reihenheld Lernstand – Klasse aus " + stick.string()));

        auto* table = klasse->findChild<QTableView*>(QStringLiteral("PupilTable"));
        const auto firstName = [table] { return table->model()->index(0, 0).data().toString(); };
        QVERIFY(firstName().startsWith(u"Ali"));
        table->sortByColumn(1, Qt::DescendingOrder);
        QCOMPARE(firstName(), QStringLiteral("Zoe"));
        table->setCurrentIndex(table->model()->index(0, 0));
        emit table->activated(table->currentIndex());
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).value<fs::path>(), stick / "a.sqlite");

        // The list as sorted on screen, where the file that is no journal stands between the
        // children: it comes last, with its reason.
        table->sortByColumn(0, Qt::AscendingOrder);
        const QString list = temp.filePath(QStringLiteral("Klassenliste.csv"));
        {
            const FileDialogChoice choice(list);
            klasse->findChild<QAction*>(QStringLiteral("ClassList"))->trigger();
        }
        QStringList names;
        for (const QString& line : QString::fromStdString(FileBytes(list.toStdString()))
                                       .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                       .mid(1)) {
            names << line.section(u';', 0, 0) + u' ' + line.section(u';', 9, 9);
        }
        QCOMPARE(names, (QStringList{QStringLiteral("Ali "), QStringLiteral("Zoe "),
                                     QStringLiteral("Elternabend nicht lesbar (file is not a "
                                                    "database)")}));
        delete klasse;
    }
};

QTEST_MAIN(TKlasseTest)
#include "TKlasseTest.moc"
