#include "tests/widgetsupport/HostileNames.h"

#include "common/ShownText.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/SqliteConnection.h"
#include "journal/UtcTime.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/window/TLernstand.h"
#include "lernstand/window/klasse/TKlasse.h"
#include "tests/support/InMemorySettings.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"
#include "tests/widgetsupport/RenderedText.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

QString Shown(const std::string& text) {
    return QString::fromStdString(text);
}

// A line shows every one of its characters: none breaks it or turns what follows around.
bool ShowsAsOneLine(const QString& text) {
    return std::none_of(text.begin(), text.end(),
                        [](QChar character) { return SteersLayout(character.unicode()); });
}

// A file name may hold neither a slash nor more than 255 bytes: the slashes of the tags written
// as markup writes them, as a pupil would.
std::string AsFileName(const QString& name) {
    return name.left(200).replace(u'/', QStringLiteral("&#47;")).toStdString();
}

void RecordJournal(const fs::path& journal, const std::string& childName) {
    {
        JournalRecorder recorder(journal,
                                 [] { return *ParseJournalTime("2026-12-08T09:15:02.347Z"); });
        recorder.RoundStarted({10, false, 5, {8}});
        recorder.Answered({7, 8, "54", AnswerOutcome::Wrong, 1200});
    }
    if (!childName.empty()) {
        StoreJournalName(journal, childName);
    }
}

// A database whose schema names an object so, and so is malformed: SQLite quotes the name in its
// reason.
void WriteMalformedSchema(const fs::path& file, const std::string& objectName) {
    const SqliteConnection database(file);
    database.Execute("CREATE TABLE t(x); PRAGMA writable_schema = ON");
    database.Prepare("UPDATE sqlite_master SET name = ?, sql = 'CREATE TABLE <'")
        .Bind(1, objectName)
        .Run();
}

// No label of the window takes its text for markup; a tooltip's is checked for what it shows.
void ExpectNoLabelGuessesMarkup(const QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->windowType() == Qt::ToolTip) {
            continue;
        }
        QVERIFY2(!RenderAs(label->text(), label->textFormat()).markup,
                 qPrintable(label->objectName() + QStringLiteral(": ") + label->text().left(80)));
    }
}

// The title as the desktop and a screen reader get it.
void ExpectTitle(QWidget& window, const QString& title) {
    QVERIFY2(ShowsAsOneLine(title), qPrintable(title));
    QTRY_COMPARE(window.windowHandle()->title(), title);
    QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name), title);
}

} // namespace

// Every name a stick may bring, through every surface of the Lernstand and the class window: a
// file's name, a folder's name, the child's name kept in a journal, and SQLite's reason quoting
// the file. What shows is the text as ShownText has it, shortened further to its place where it is
// only read, and never markup.
class HostileNamesTest : public QObject {
    Q_OBJECT

private slots:
    void surfaces_data() {
        QTest::addColumn<QString>("name");
        for (const HostileName& name : kHostileNames) {
            QTest::newRow(name.what) << name.text;
        }
    }

    void surfaces() {
        QFETCH(QString, name);
        const QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        const fs::path stick = root / "stick";
        fs::create_directories(stick);
        const std::string fileName = AsFileName(name);
        const fs::path notAJournal = stick / (fileName + ".txt");
        std::ofstream(notAJournal) << "Milch, Brot";
        const fs::path journal = stick / (fileName + ".sqlite");
        RecordJournal(journal, "");
        const fs::path malformed = stick / "schema.db";
        WriteMalformedSchema(malformed, name.toStdString());

        InMemorySettings settings;
        TLernstand window({root / "own/Lernstand.sqlite", settings});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ModalBoxWatcher boxes;
        window.OpenArgument(notAJournal);
        window.OpenArgument(malformed);
        QCOMPARE(boxes.Seen().size(), 2);
        // "Die Datei „…“ ist kein Lernstand von Reihenheld (", then SQLite's reason.
        QVERIFY2(boxes.Texts().at(0).startsWith(Shown(NotAJournalText(notAJournal, "")).chopped(2)),
                 qPrintable(boxes.Texts().at(0)));
        for (const SeenMessageBox& box : boxes.Seen()) {
            QCOMPARE(RenderAs(box.text, box.format).shown, box.text);
            QVERIFY2(ShowsAsOneLine(box.text), qPrintable(box.text.left(300)));
        }
        const QString reason = boxes.Texts().at(1);
        QVERIFY2(reason.contains(QStringLiteral("malformed database schema (") +
                                 Shown(ShownText(name.toStdString())).left(20)),
                 qPrintable(reason.left(300)));

        window.OpenArgument(journal);
        ExpectTitle(window, Shown(LernstandTitle(journal)));
        auto* field = window.findChild<QLineEdit*>(QStringLiteral("ChildName"));
        QCOMPARE(field->placeholderText(), Shown(ShownText(journal.filename().string())));
        ExpectNoLabelGuessesMarkup(window);

        // The child's name, whole, kept in a journal someone made elsewhere.
        StoreJournalName(journal, name.toStdString());
        window.OpenArgument(journal);
        const QString inField = Shown(ShownName(name.toStdString()));
        QVERIFY2(field->text() == inField ||
                     (field->text().endsWith(u'…') && inField.startsWith(field->text().chopped(1))),
                 qPrintable(field->text()));
        QVERIFY(field->fontMetrics().horizontalAdvance(field->text()) < field->width());
        QVERIFY(ShowsAsOneLine(field->text()) && ShowsAsOneLine(field->placeholderText()));
        QCOMPARE(boxes.Seen().size(), 2);
    }

    void classSurfaces_data() { surfaces_data(); }

    void classSurfaces() {
        QFETCH(QString, name);
        const QTemporaryDir temp;
        const fs::path folder = fs::path(temp.path().toStdString()) / AsFileName(name);
        fs::create_directories(folder);
        const fs::path journal = folder / (AsFileName(name) + ".sqlite");
        RecordJournal(journal, name.toStdString());

        auto* klasse = new TKlasse(folder, std::chrono::seconds(3), RowSwitches{}, nullptr);
        klasse->resize(1000, 620);
        klasse->show();
        QVERIFY(QTest::qWaitForWindowExposed(klasse));
        QTRY_VERIFY(!klasse->findChild<QProgressBar*>(QStringLiteral("Progress"))->isVisible());
        ExpectTitle(*klasse, Shown(ClassTitle(folder)));
        auto* table = klasse->findChild<QTableView*>(QStringLiteral("PupilTable"));
        const QModelIndex pupil = table->model()->index(0, 0);
        QCOMPARE(pupil.data().toString(), Shown(ShownText(name.toStdString())));

        const QRect cell = table->visualRect(pupil);
        QHelpEvent help(QEvent::ToolTip, cell.center(),
                        table->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(table->viewport(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        const RenderedText tip = RenderAs(QToolTip::text(), Qt::AutoText);
        QCOMPARE(tip.shown, Shown(ShownPath(journal)));
        QCOMPARE(tip.resources, QStringList());
        QToolTip::hideText();
        ExpectNoLabelGuessesMarkup(*klasse);
        delete klasse;

        // A folder gone before it could be read: the status line names it, in what fits.
        fs::remove_all(folder);
        klasse = new TKlasse(folder, std::chrono::seconds(3), RowSwitches{}, nullptr);
        klasse->resize(1000, 620);
        klasse->show();
        auto* status = klasse->findChild<QLabel*>(QStringLiteral("Status"));
        QTRY_VERIFY(status->text().startsWith(QStringLiteral("Der Ordner „")));
        QVERIFY2(status->text().endsWith(QStringLiteral(")")) ||
                     status->text().endsWith(QStringLiteral("…")),
                 qPrintable(status->text()));
        QVERIFY(status->fontMetrics().horizontalAdvance(status->text()) <= status->width());
        QVERIFY2(ShowsAsOneLine(status->text()), qPrintable(status->text()));
        QVERIFY(klasse->minimumSizeHint().width() < 1000);
        ExpectNoLabelGuessesMarkup(*klasse);
        delete klasse;
    }
};

QTEST_MAIN(HostileNamesTest)
#include "HostileNamesTest.moc"
