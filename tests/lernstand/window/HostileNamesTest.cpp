#include "tests/widgetsupport/HostileNames.h"

#include "common/ShownText.h"
#include "common/ui/MessageBoxes.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/SqliteConnection.h"
#include "journal/UtcTime.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/window/TLernstand.h"
#include "lernstand/window/klasse/TKlasse.h"
#include "tests/support/InMemorySettings.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
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

// Every character of the line shows: none breaks it or turns what follows around.
bool OneLine(const QString& text) {
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return SteersLayout(c.unicode()); });
}

// Markup as a tooltip lays it out: what it says, and the images it asks for, none loaded.
class Markup : public QTextDocument {
public:
    explicit Markup(const QString& html) {
        setHtml(html);
        static_cast<void>(size());
    }
    QStringList asked;

protected:
    QVariant loadResource(int, const QUrl& name) override {
        asked << name.toString();
        return {};
    }
};

// No label takes its text for markup.
void ExpectPlainLabels(const QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        QVERIFY2(label->windowType() == Qt::ToolTip || label->textFormat() == Qt::PlainText ||
                     !Qt::mightBeRichText(label->text()),
                 qPrintable(label->text().left(80)));
    }
}

// The title as the desktop and a screen reader get it.
void ExpectTitle(QWidget& window, const QString& title) {
    QVERIFY(OneLine(title));
    QTRY_COMPARE(window.windowHandle()->title(), title);
    QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name), title);
}

void Record(const fs::path& journal) {
    JournalRecorder recorder(journal, [] { return *ParseJournalTime("2026-12-08T09:15:02.347Z"); });
    recorder.RoundStarted({10, false, 5, {8}});
    recorder.Answered({7, 8, "54", AnswerOutcome::Wrong, 1200});
}

} // namespace

// Every name a stick may bring, as a file name, a folder name, the child's name kept in a journal
// and within SQLite's reason, through every surface of the Lernstand and the class window: what
// shows is the text as ShownText has it, shortened to its place where it is only read, and never
// markup. A file name cannot hold a slash: the pupil writes it as markup does.
class HostileNamesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { KeepEveryMessageBoxPlain(); }

    void surfaces_data() {
        QTest::addColumn<QString>("name");
        for (const HostileName& name : kHostileNames) {
            QTest::newRow(name.what) << name.text;
        }
    }

    void surfaces() {
        QFETCH(QString, name);
        const std::string text = name.toStdString();
        const QTemporaryDir temp;
        const fs::path folder = fs::path(temp.path().toStdString()) /
                                name.left(200).replace(u'/', QStringLiteral("&#47;")).toStdString();
        fs::create_directories(folder);
        const fs::path journal = folder / (folder.filename().string() + ".sqlite");
        Record(journal);
        std::ofstream(folder / "Einkauf.txt") << "Milch";
        {
            const SqliteConnection malformed(folder / "schema.db");
            malformed.Execute("CREATE TABLE t(x); PRAGMA writable_schema = ON");
            malformed.Prepare("UPDATE sqlite_master SET name = ?, sql = 'CREATE <'")
                .Bind(1, text)
                .Run();
        }

        InMemorySettings settings;
        TLernstand window({fs::path(temp.path().toStdString()) / "own.sqlite", settings});
        window.show();
        ModalBoxWatcher boxes;
        window.OpenArgument(folder / "Einkauf.txt");
        window.OpenArgument(folder / "schema.db");
        QMessageBox::warning(nullptr, QStringLiteral("Qt's own file dialog"), name);
        QCOMPARE(boxes.Seen().size(), 3);
        for (const SeenMessageBox& box : boxes.Seen()) {
            QCOMPARE(box.format, Qt::PlainText);
        }
        QVERIFY(boxes.Texts().at(0).contains(Shown(ShownPath(folder / "Einkauf.txt"))));
        QVERIFY(boxes.Texts().at(1).contains(QStringLiteral("schema (") +
                                             Shown(ShownText(text)).left(20)));
        QVERIFY(OneLine(boxes.Texts().at(0)) && OneLine(boxes.Texts().at(1)));

        window.OpenArgument(journal);
        ExpectTitle(window, Shown(LernstandTitle(journal)));
        auto* field = window.findChild<QLineEdit*>(QStringLiteral("ChildName"));
        QCOMPARE(field->placeholderText(), Shown(ShownText(journal.filename().string())));
        StoreJournalName(journal, text);
        window.OpenArgument(journal);
        const QString inField = Shown(ShownName(text));
        QVERIFY2(field->text() == inField ||
                     (field->text().endsWith(u'…') && inField.startsWith(field->text().chopped(1))),
                 qPrintable(field->text()));
        QVERIFY(field->fontMetrics().horizontalAdvance(field->text()) < field->width());
        ExpectPlainLabels(window);

        auto* klasse = new TKlasse(folder, std::chrono::seconds(3), RowSwitches{}, nullptr);
        klasse->show();
        QTRY_VERIFY(!klasse->findChild<QProgressBar*>(QStringLiteral("Progress"))->isVisible());
        ExpectTitle(*klasse, Shown(ClassTitle(folder)));
        auto* table = klasse->findChild<QTableView*>(QStringLiteral("PupilTable"));
        table->sortByColumn(1, Qt::DescendingOrder);
        const QModelIndex pupil = table->model()->index(0, 0);
        QCOMPARE(pupil.data().toString(), Shown(ShownText(text)));
        const QPoint middle = table->visualRect(pupil).center();
        QHelpEvent help(QEvent::ToolTip, middle, table->viewport()->mapToGlobal(middle));
        QApplication::sendEvent(table->viewport(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        const Markup tip(QToolTip::text());
        QCOMPARE(Qt::mightBeRichText(QToolTip::text()) ? tip.toPlainText() : QToolTip::text(),
                 Shown(ShownPath(journal)));
        QCOMPARE(tip.asked, QStringList());
        ExpectPlainLabels(*klasse);
        delete klasse;

        // A folder gone before it is read: the status line names it, in what fits.
        fs::remove_all(folder);
        klasse = new TKlasse(folder, std::chrono::seconds(3), RowSwitches{}, nullptr);
        klasse->show();
        auto* status = klasse->findChild<QLabel*>(QStringLiteral("Status"));
        QTRY_VERIFY(status->text().startsWith(QStringLiteral("Der Ordner „")));
        QVERIFY(OneLine(status->text()) && status->textFormat() == Qt::PlainText);
        QVERIFY(status->fontMetrics().horizontalAdvance(status->text()) <= status->width());
        QVERIFY(klasse->minimumSizeHint().width() < 1000);
        delete klasse;
    }
};

QTEST_MAIN(HostileNamesTest)
#include "HostileNamesTest.moc"
