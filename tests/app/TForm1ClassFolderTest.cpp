#include "app/TForm1.h"
#include "common/ui/ApplicationSetup.h"
#include "journal/JournalRecorder.h"
#include "practice/window/TTest.h"
#include "school/ClassFolderDrill.h"
#include "school/HandInStatus.h"
#include "settings/dialog/TConfig.h"
#include "tests/school/SlowShare.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/JournalAnswers.h"
#include "tests/support/TempConfigDir.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;

// The main window with the class folder as the program has it: rounds of two problems, recording
// on, a class folder of the test's own reached through a share that can be held.
class TForm1ClassFolderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigureApplication(); }
    void init();
    void cleanup();

    void theLineNamesTheAssignmentInForceAsPlainTextFromTheStartOn();
    void theDrillHandsInOnceMoreWhenItEnds();
    void aFailingClassFolderIsNeverTheChildsProblem_data();
    void aFailingClassFolderIsNeverTheChildsProblem();

private:
    void Build() {
        form1_ = std::make_unique<TForm1>(own_, recorder_.get(), nullptr, drill_.get());
        form1_->show();
        QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    }
    TTest& Test() const { return *form1_->findChild<TTest*>(); }
    TConfig& Config() const { return *form1_->findChild<TConfig*>(); }
    QLabel* Line() const { return form1_->findChild<QLabel*>(QStringLiteral("AssignmentLine")); }
    QLabel* Note() const { return Config().findChild<QLabel*>(QStringLiteral("AssignmentNote")); }
    // F2 on a closed board, then an empty Enter for each answer.
    void Play(int answers) {
        Test().close();
        QTest::keyClick(form1_.get(), Qt::Key_F2);
        for (int answer = 0; answer < answers; ++answer) {
            QTest::keyClick(Test().findChild<QLineEdit*>(QStringLiteral("Userin")), Qt::Key_Return);
        }
    }

    std::unique_ptr<TempConfigDir> temp_;
    fs::path folder_;
    fs::path copy_;
    InMemorySettings own_;
    std::shared_ptr<SlowShare> share_;
    std::ostringstream errors_;
    std::unique_ptr<JournalRecorder> recorder_;
    std::unique_ptr<ClassFolderDrill> drill_;
    std::unique_ptr<TForm1> form1_;
};

void TForm1ClassFolderTest::init() {
    temp_ = std::make_unique<TempConfigDir>();
    folder_ = temp_->Path() / "klasse";
    copy_ = folder_ / "Lernstand-anna.sqlite";
    fs::create_directories(folder_);
    own_ = {};
    own_.ini = "[Vorgaben]\nMenge=2\nTimer=off\n[Lernstand]\nAufzeichnen=on\nKlassenordner=" +
               folder_.string() + "\n";
    share_ = std::make_shared<SlowShare>();
    errors_.str({});
    recorder_ = std::make_unique<JournalRecorder>(temp_->JournalPath());
    drill_ =
        std::make_unique<ClassFolderDrill>(own_, temp_->JournalPath(), "anna", share_, errors_);
}

void TForm1ClassFolderTest::cleanup() {
    form1_.reset();
    drill_.reset();
    recorder_.reset();
    temp_.reset();
}

void TForm1ClassFolderTest::theLineNamesTheAssignmentInForceAsPlainTextFromTheStartOn() {
    QImage asEver;
    QSize dialogSize;
    {
        TForm1 withoutClassFolder(own_, nullptr, nullptr);
        asEver = withoutClassFolder.grab().toImage();
        dialogSize = withoutClassFolder.findChild<TConfig*>()->size();
    }
    const QString rows = u"Vom Auftrag der Lehrkraft vorgegeben: Reihen"_qs;
    const struct {
        std::string assignment;
        QString line;
        QString note;
    } cases[] = {
        {"Titel=Vor der Mathearbeit\nReihen=6,7,8,9\n",
         u"Auftrag: Vor der Mathearbeit – Reihen 6 bis 9"_qs, rows},
        // Markup from the share stays text.
        {"Titel=<b>Fett</b> &amp; <img src=x>\nMenge=20\n",
         u"Auftrag: <b>Fett</b> &amp; <img src=x>"_qs,
         u"Vom Auftrag der Lehrkraft vorgegeben: Menge der Aufgaben"_qs},
        // Cut short on one line, read whole to a screen reader.
        {"Titel=" + std::string(30, 'W') + "\nReihen=1,3,5,7,9,11,13,15,17,19\n", u"…"_qs, rows},
        {"Gezielt=on\n", u"Auftrag der Lehrkraft"_qs, {}},
        {{}, {}, {}},
    };
    for (const auto& c : cases) {
        fs::remove(folder_ / "Auftrag.ini");
        if (!c.assignment.empty()) {
            std::ofstream(folder_ / "Auftrag.ini") << "[Auftrag]\n" << c.assignment;
        }
        // The first case is read at start-up, the others at a round start.
        if (form1_) {
            Play(0);
        } else {
            Build();
        }
        const QString shown = Line()->text();
        QVERIFY2(c.line == u"…"_qs
                     ? shown.endsWith(c.line) && Line()->accessibleName().endsWith(u"17 und 19"_qs)
                     : shown == c.line,
                 qPrintable(shown));
        QCOMPARE(Line()->textFormat(), Qt::PlainText);
        QCOMPARE(Line()->isVisible(), !c.line.isEmpty());
        QCOMPARE(Note()->isVisibleTo(&Config()), !c.note.isEmpty());
        if (!c.note.isEmpty()) {
            QCOMPARE(Note()->text(), c.note);
            QCOMPARE(Config().height(), dialogSize.height() + Note()->sizeHint().height());
        }
    }
    Test().close();
    QTRY_COMPARE(form1_->size(), asEver.size());
    QCOMPARE(form1_->grab().toImage(), asEver);
    QCOMPARE(Config().size(), dialogSize);
    QCOMPARE(own_.writes, 0);
}

// However the program ends, its windows are closed first and then it hands in exactly once more.
void TForm1ClassFolderTest::theDrillHandsInOnceMoreWhenItEnds() {
    Build();
    Play(2);
    share_->AwaitEnded(1);
    Play(2);
    share_->AwaitEnded(2);
    QTimer::singleShot(0, [this] { form1_->findChild<QAction*>(u"Beenden1"_qs)->trigger(); });
    QTimer::singleShot(2000, [] { QApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    share_->AwaitEnded(3);
    QCOMPARE(CountAnswers(copy_), 4);
    QCOMPARE(share_->Copies(), 3);
}

void TForm1ClassFolderTest::aFailingClassFolderIsNeverTheChildsProblem_data() {
    QTest::addColumn<HandInProblem>("problem");
    QTest::newRow("removed") << HandInProblem::FolderGone;
    QTest::newRow("read-only") << HandInProblem::FolderReadOnly;
    QTest::newRow("full mid-copy") << HandInProblem::FolderFull;
    QTest::newRow("not answering") << HandInProblem::NoAnswer;
}

// The fault comes while the round's copy is under way; the next round's copy finds it mended.
void TForm1ClassFolderTest::aFailingClassFolderIsNeverTheChildsProblem() {
    QFETCH(HandInProblem, problem);
    Build();
    const QImage mainWindow = form1_->grab().toImage();
    const ModalBoxWatcher boxes;
    share_->Hold();
    Play(2);
    share_->AwaitBegun(1);
    if (problem != HandInProblem::NoAnswer) {
        // The pupil, without root's rights, still reaches the journal.
        fs::permissions(temp_->Path(), fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add);
        const auto fault = BringAbout(problem, folder_, *share_, 8 * 1024);
        share_->Release();
        share_->AwaitEnded(1);
    }
    QCOMPARE(form1_->grab().toImage(), mainWindow);

    MendClassFolder(folder_);
    // A share that does not answer holds neither the next round's start nor its end.
    Play(2);
    QVERIFY(Test().findChild<QLabel*>(QStringLiteral("Label5"))->isVisible());
    share_->Release();
    share_->AwaitEnded(2);
    QCOMPARE(CountAnswers(copy_), 4);
    QCOMPARE(boxes.Texts(), QStringList());
    // The failed copy was told in one line, before the next copy began.
    const std::string told = errors_.str();
    QCOMPARE(std::count(told.begin(), told.end(), '\n'),
             problem == HandInProblem::NoAnswer ? 0 : 1);
    QVERIFY2(told.find(HandInProblemText(problem)) != std::string::npos ||
                 problem == HandInProblem::NoAnswer,
             told.c_str());
}

QTEST_MAIN(TForm1ClassFolderTest)
#include "TForm1ClassFolderTest.moc"
