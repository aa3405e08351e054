#include "lernstand/window/TLernstand.h"

#include "journal/JournalRecorder.h"
#include "journal/JournalSchema.h"
#include "journal/SqliteConnection.h"
#include "journal/UtcTime.h"
#include "lernstand/window/FactTableModel.h"
#include "settings/SettingsSchema.h"
#include "tests/support/FileBytes.h"
#include "tests/support/InMemorySettings.h"
#include "tests/widgetsupport/FileDialogChoice.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

namespace fs = std::filesystem;

enum class Prepared { Answers, Nothing, Damaged, Newer };

AnsweredProblem Answer(int multiplier, int row, AnswerOutcome outcome) {
    return {multiplier, row, std::to_string(multiplier * row), outcome, 1200};
}

void Prepare(Prepared prepared, const fs::path& journal) {
    fs::create_directories(journal.parent_path());
    if (prepared == Prepared::Damaged) {
        std::ofstream(journal, std::ios::binary) << "Einkaufsliste: Milch, Brot";
    } else if (prepared == Prepared::Newer) {
        SqliteConnection(journal).Execute(
            ("CREATE TABLE later (x); PRAGMA user_version = " + std::to_string(kJournalVersion + 1))
                .c_str());
    } else if (prepared == Prepared::Answers) {
        JournalRecorder recorder(journal,
                                 [] { return *ParseJournalTime("2026-12-08T09:15:02.347Z"); });
        recorder.RoundStarted({10, true, 5, {3, 7, 8}});
        for (const AnsweredProblem& answer :
             {Answer(7, 8, AnswerOutcome::Wrong), Answer(4, 3, AnswerOutcome::Right),
              Answer(4, 3, AnswerOutcome::Right), Answer(4, 3, AnswerOutcome::Right),
              Answer(9, 7, AnswerOutcome::Right)}) {
            recorder.Answered(answer);
        }
    }
}

// A copy to a stick so slow that it ends only when it is cancelled.
JournalCopy CopyUntilCancelled(const fs::path&, const fs::path&,
                               const std::atomic<bool>& cancelled) {
    while (!cancelled) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return {JournalCopy::Problem::Cancelled, {}, 0};
}

} // namespace

Q_DECLARE_METATYPE(Prepared)

class TLernstandTest : public QObject {
    Q_OBJECT

private slots:
    void showsWhatTheJournalHolds_data() {
        QTest::addColumn<Prepared>("prepared");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<bool>("nothingYet");
        QTest::addColumn<bool>("deletable");
        const QStringList unknown{QStringLiteral("7 · 8: neu"), QStringLiteral("4 · 3: neu"),
                                  QStringLiteral("9 · 7: neu"), QStringLiteral("1 · 1: neu")};
        QTest::newRow("answers")
            << Prepared::Answers
            << QStringList{QStringLiteral("7 · 8: üben"), QStringLiteral("4 · 3: sicher"),
                           QStringLiteral("9 · 7: fast sicher"), QStringLiteral("1 · 1: neu")}
            << QStringLiteral(
                   "5 Antworten, davon 80 % richtig, an 1 Tag geübt, zuletzt am 08.12.2026")
            << false << true;
        QTest::newRow("no journal yet")
            << Prepared::Nothing << unknown << QString() << true << false;
        QTest::newRow("damaged") << Prepared::Damaged << unknown
                                 << QStringLiteral("ist beschädigt oder nicht lesbar") << false
                                 << false;
        QTest::newRow("newer") << Prepared::Newer << unknown
                               << QStringLiteral("stammt von einer neueren Version") << false
                               << false;
    }

    void showsWhatTheJournalHolds() {
        QFETCH(Prepared, prepared);
        QFETCH(QStringList, cells);
        QFETCH(QString, summary);
        QFETCH(bool, nothingYet);
        QFETCH(bool, deletable);
        const QTemporaryDir data;
        const fs::path journal = fs::path(data.path().toStdString()) / "Kalkuno/Lernstand.sqlite";
        Prepare(prepared, journal);
        const std::string before = FileBytes(journal);
        InMemorySettings settings;

        TLernstand window({journal, settings});
        window.show();
        const auto* table = window.findChild<QTableView*>(QStringLiteral("FactTable"));
        const QAbstractItemModel* model = table->model();
        const QModelIndex places[] = {model->index(7, 6), model->index(2, 3), model->index(6, 8),
                                      model->index(0, 0)};
        QStringList shown;
        for (const QModelIndex& place : places) {
            shown << model->data(place, Qt::AccessibleTextRole).toString();
        }
        QCOMPARE(shown, cells);
        const QString summaryText = window.findChild<QLabel*>(QStringLiteral("Summary"))->text();
        QVERIFY2(summary.isEmpty() ? summaryText.isEmpty() : summaryText.contains(summary),
                 qPrintable(summaryText));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("NothingYet"))->isVisible(), nothingYet);
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Delete"))->isEnabled(), deletable);
        // Reading never changes, moves or creates the journal.
        QCOMPARE(FileBytes(journal), before);
        QCOMPARE(fs::exists(journal), prepared != Prepared::Nothing);
        const auto files =
            std::distance(fs::directory_iterator(journal.parent_path()), fs::directory_iterator());
        QVERIFY(prepared == Prepared::Answers || files <= 1);
    }

    // Typed before anything was recorded, the name creates the journal and is there next time.
    void nameIsKeptInTheJournal() {
        const QTemporaryDir data;
        const fs::path journal = fs::path(data.path().toStdString()) / "Kalkuno/Lernstand.sqlite";
        InMemorySettings settings;
        {
            TLernstand window({journal, settings});
            window.show();
            auto* name = window.findChild<QLineEdit*>(QStringLiteral("ChildName"));
            QCOMPARE(name->placeholderText(), QStringLiteral("Lernstand.sqlite"));
            name->setFocus();
            QTest::keyClicks(name, QStringLiteral("Anna"));
            QTest::keyClick(name, Qt::Key_Return);
        }
        TLernstand window({journal, settings});
        auto* name = window.findChild<QLineEdit*>(QStringLiteral("ChildName"));
        QCOMPARE(name->text(), QStringLiteral("Anna"));
        QVERIFY(!name->isReadOnly());
        QVERIFY(window.findChild<QAction*>(QStringLiteral("TeacherCopy"))->isEnabled());
    }

    // While a copy runs the window shows it with "Abbrechen", goes on taking clicks and offers no
    // deleting; "Abbrechen" stops it without a word, and closing the window asks first.
    void aRunningCopyCanBeCancelledOrClosed_data() {
        QTest::addColumn<bool>("close");
        QTest::newRow("Abbrechen") << false;
        QTest::newRow("closing the window") << true;
    }

    void aRunningCopyCanBeCancelledOrClosed() {
        QFETCH(bool, close);
        const QTemporaryDir data;
        const fs::path journal = fs::path(data.path().toStdString()) / "Kalkuno/Lernstand.sqlite";
        Prepare(Prepared::Answers, journal);
        InMemorySettings settings;
        LernstandServices services{journal, settings};
        services.copy = CopyUntilCancelled;
        TLernstand window(services);
        window.show();
        {
            const FileDialogChoice choice(data.filePath(QStringLiteral("Kopie.sqlite")));
            window.findChild<QAction*>(QStringLiteral("TeacherCopy"))->trigger();
        }
        auto* cancel = window.findChild<QPushButton*>(QStringLiteral("CopyCancel"));
        QVERIFY(cancel != nullptr && cancel->isVisible());
        QVERIFY(window.findChild<QProgressBar*>(QStringLiteral("CopyProgress"))->isVisible());
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("Delete"))->isEnabled());

        ModalBoxWatcher boxes;
        window.findChild<QAction*>(QStringLiteral("TeacherCopy"))->trigger();
        QCOMPARE(boxes.Texts(),
                 QStringList{QStringLiteral("Der Lernstand wird gerade schon für die Lehrkraft "
                                            "gespeichert. Sobald das fertig ist, lässt sich die "
                                            "nächste Kopie speichern.")});
        if (close) {
            QVERIFY(window.close());
            QCOMPARE(boxes.Seen().size(), 2);
            QCOMPARE(boxes.Seen().at(1).objectName, QStringLiteral("ConfirmBox"));
        } else {
            QTest::mouseClick(cancel, Qt::LeftButton);
        }
        QTRY_COMPARE(window.findChild<QProgressBar*>(QStringLiteral("CopyProgress")), nullptr);
        QCOMPARE(boxes.Seen().size(), close ? 2 : 1);
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("Delete"))->isEnabled());
    }

    // The class folder's lines and the note beside "Gezielt üben" stand there only while a class
    // folder is set.
    void showsTheClassFolderOnlyWhileOneIsSet_data() {
        QTest::addColumn<bool>("classFolder");
        QTest::newRow("class folder") << true;
        QTest::newRow("none") << false;
    }

    void showsTheClassFolderOnlyWhileOneIsSet() {
        QFETCH(bool, classFolder);
        const QTemporaryDir data;
        const fs::path folder = fs::path(data.path().toStdString()) / "klasse-4b";
        fs::create_directories(folder);
        std::ofstream(folder / "Auftrag.ini") << "[Auftrag]\nReihen=6,7,8,9\nGezielt=on\n";
        InMemorySettings settings;
        if (classFolder) {
            settings.Write(settings::kLernstandSection, settings::kClassFolderKey, folder.string());
        }
        LernstandServices services{fs::path(data.path().toStdString()) / "Kalkuno/Lernstand.sqlite",
                                   settings};
        services.login = "kind";
        TLernstand window(services);
        window.show();
        auto* lines = window.findChild<QLabel*>(QStringLiteral("ClassFolder"));
        auto* note = window.findChild<QLabel*>(QStringLiteral("AssignmentNote"));
        if (classFolder) {
            QTRY_VERIFY(lines->isVisible());
            QCOMPARE(lines->text(), QStringLiteral("Abgabe im Klassenordner: noch keine · Auftrag: "
                                                   "Reihen 6 bis 9"));
            QVERIFY(note->isVisible());
            QCOMPARE(note->text(), QStringLiteral("Vom Auftrag der Lehrkraft für die Runden "
                                                  "vorgegeben: Gezielt üben an"));
            // The child's own choice stays as it is.
            QVERIFY(!window.findChild<QCheckBox*>(QStringLiteral("Targeted"))->isChecked());
        } else {
            QTest::qWait(50);
            QVERIFY(!lines->isVisible());
            QVERIFY(!note->isVisible());
        }
    }
};

QTEST_MAIN(TLernstandTest)
#include "TLernstandTest.moc"
