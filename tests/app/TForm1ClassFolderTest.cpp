#include "app/TForm1.h"
#include "common/ui/ApplicationSetup.h"
#include "journal/JournalRecorder.h"
#include "practice/window/TTest.h"
#include "school/ClassFolderDrill.h"
#include "school/HandInStatus.h"
#include "settings/dialog/TConfig.h"
#include "tests/school/JournalAnswers.h"
#include "tests/school/SlowShare.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/TempConfigDir.h"
#include "tests/support/WithoutRootPrivilege.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Rows 1 and 2, rounds of two problems without the clock, recording on, and the class folder.
std::string OwnSettings(const fs::path& folder) {
    return "[Vorgaben]\nMenge=2\nTimer=off\n[Aufgaben]\n1=on\n2=on\n[Lernstand]\nAufzeichnen=on\n"
           "Klassenordner=" +
           folder.string() + "\n";
}

} // namespace

// The main window with the class folder as the program has it, on a folder of the test's own
// reached through a share that can be held.
class TForm1ClassFolderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigureApplication(); }
    void init();
    void cleanup();

    void theLineNamesTheAssignmentInForceAsPlainTextFromTheStartOn();
    void everyRoundIsHandedInAndOnceMoreWhenTheDrillEnds_data();
    void everyRoundIsHandedInAndOnceMoreWhenTheDrillEnds();
    void aFailingClassFolderIsNeverTheChildsProblem_data();
    void aFailingClassFolderIsNeverTheChildsProblem();

private:
    void Build();
    void Assign(const std::string& entries) const {
        std::ofstream(folder_ / "Auftrag.ini", std::ios::binary) << "[Auftrag]\n" << entries;
    }
    TTest& Test() const { return *form1_->findChild<TTest*>(); }
    TConfig& Config() const { return *form1_->findChild<TConfig*>(); }
    QLabel* Line() const { return form1_->findChild<QLabel*>(QStringLiteral("AssignmentLine")); }
    QLabel* Note() const { return Config().findChild<QLabel*>(QStringLiteral("AssignmentNote")); }
    // F2, then an empty Enter for each answer; the board stays open.
    void Play(int answers);
    int ErrorLines() const {
        const std::string text = errors_.str();
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
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
    own_.ini = OwnSettings(folder_);
    share_ = std::make_shared<SlowShare>();
    errors_.str({});
    recorder_ = std::make_unique<JournalRecorder>(temp_->JournalPath());
    drill_ =
        std::make_unique<ClassFolderDrill>(own_, temp_->JournalPath(), "anna", share_, errors_);
}

void TForm1ClassFolderTest::Build() {
    form1_ = std::make_unique<TForm1>(own_, recorder_.get(), nullptr, drill_.get());
    form1_->show();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
}

void TForm1ClassFolderTest::cleanup() {
    form1_.reset();
    drill_.reset();
    recorder_.reset();
    temp_.reset();
}

void TForm1ClassFolderTest::Play(int answers) {
    Test().close();
    QTest::keyClick(form1_.get(), Qt::Key_F2);
    auto* userin = Test().findChild<QLineEdit*>(QStringLiteral("Userin"));
    for (int answer = 0; answer < answers; ++answer) {
        QTest::keyClick(userin, Qt::Key_Return);
    }
}

void TForm1ClassFolderTest::theLineNamesTheAssignmentInForceAsPlainTextFromTheStartOn() {
    QImage asEver;
    QSize dialogSize;
    {
        TForm1 withoutClassFolder(own_, nullptr, nullptr);
        asEver = withoutClassFolder.grab().toImage();
        dialogSize = withoutClassFolder.findChild<TConfig*>()->size();
    }
    Assign("Titel=Vor der Mathearbeit\nReihen=6,7,8,9\n");
    Build();
    QCOMPARE(Line()->text(), u"Auftrag: Vor der Mathearbeit – Reihen 6 bis 9"_qs);
    QVERIFY(Line()->isVisible());
    QCOMPARE(Line()->textFormat(), Qt::PlainText);
    QCOMPARE(Note()->text(), u"Vom Auftrag der Lehrkraft vorgegeben: Reihen"_qs);
    QVERIFY(form1_->height() > asEver.height());

    const struct {
        std::string entries;
        QString line;
        QString note;
    } cases[] = {
        // Markup from the share stays text.
        {"Titel=<b>Fett</b> &amp; <img src=x>\nMenge=20\n",
         u"Auftrag: <b>Fett</b> &amp; <img src=x>"_qs,
         u"Vom Auftrag der Lehrkraft vorgegeben: Menge der Aufgaben"_qs},
        // Cut short on one line, and read whole to a screen reader.
        {"Titel=" + std::string(30, 'W') + "\nReihen=1,3,5,7,9,11,13,15,17,19\n", u"…"_qs,
         u"Vom Auftrag der Lehrkraft vorgegeben: Reihen"_qs},
        {"Gezielt=on\n", u"Auftrag der Lehrkraft"_qs, {}},
        {{}, {}, {}},
    };
    for (const auto& c : cases) {
        fs::remove(folder_ / "Auftrag.ini");
        if (!c.entries.empty()) {
            Assign(c.entries);
        }
        Play(0);
        const QString shown = Line()->text();
        if (c.line == u"…"_qs) {
            QVERIFY2(shown.endsWith(c.line) && shown.size() < Line()->accessibleName().size(),
                     qPrintable(shown));
            QVERIFY(Line()->accessibleName().endsWith(u"11, 13, 15, 17 und 19"_qs));
        } else {
            QCOMPARE(shown, c.line);
        }
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

void TForm1ClassFolderTest::everyRoundIsHandedInAndOnceMoreWhenTheDrillEnds_data() {
    QTest::addColumn<bool>("midRound");
    QTest::addColumn<QString>("ending");
    QTest::newRow("Beenden after a round") << false << u"Beenden1"_qs;
    QTest::newRow("the main window closed during a round") << true << QString();
}

void TForm1ClassFolderTest::everyRoundIsHandedInAndOnceMoreWhenTheDrillEnds() {
    QFETCH(bool, midRound);
    QFETCH(QString, ending);
    Build();
    Play(2);
    share_->AwaitEnded(1);
    QCOMPARE(CountAnswers(copy_), 2);
    Play(midRound ? 1 : 2);
    if (!midRound) {
        share_->AwaitEnded(2);
        Test().close();
    }
    bool timedOut = false;
    QTimer::singleShot(0, [&] {
        if (ending.isEmpty()) {
            form1_->close();
        } else {
            form1_->findChild<QAction*>(ending)->trigger();
        }
    });
    QTimer::singleShot(2000, [&] {
        timedOut = true;
        QApplication::quit();
    });
    QApplication::exec();
    QVERIFY(!timedOut);
    // The board closed during a round hands in too; its copy and the last may come as one.
    share_->AwaitEnded(midRound ? 2 : 3);
    QCOMPARE(CountAnswers(copy_), midRound ? 3 : 4);
    if (!midRound) {
        QCOMPARE(share_->Copies(), 3);
    }
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
    {
        std::unique_ptr<FileSizeLimit> full;
        std::unique_ptr<WithoutRootPrivilege> pupil;
        switch (problem) {
        case HandInProblem::FolderGone:
            fs::remove_all(folder_);
            break;
        case HandInProblem::FolderReadOnly:
            fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::remove);
            // The pupil, without root's rights, still reads the journal the drill holds open.
            fs::permissions(temp_->Path(), fs::perms::group_exec | fs::perms::others_exec,
                            fs::perm_options::add);
            pupil = std::make_unique<WithoutRootPrivilege>();
            break;
        case HandInProblem::FolderFull:
            full = std::make_unique<FileSizeLimit>(8 * 1024);
            break;
        default:
            break;
        }
        if (problem != HandInProblem::NoAnswer) {
            share_->Release();
            share_->AwaitEnded(1);
        }
    }
    QCOMPARE(boxes.Texts(), QStringList());
    QCOMPARE(form1_->grab().toImage(), mainWindow);
    // No copy, not even a part of one.
    QVERIFY(!fs::exists(folder_) || fs::is_empty(folder_));
    QCOMPARE(CountAnswers(temp_->JournalPath(), JournalOrigin::Own), 2);

    fs::create_directories(folder_);
    fs::permissions(folder_, fs::perms::all);
    // A share that does not answer holds neither the next round's start nor its end.
    Play(2);
    QVERIFY(Test().findChild<QLabel*>(QStringLiteral("Label5"))->isVisible());
    share_->Release();
    share_->AwaitEnded(2);
    QCOMPARE(CountAnswers(copy_), 4);
    QCOMPARE(boxes.Texts(), QStringList());
    // The failed copy was told in one line, before the next copy began.
    const std::string told = errors_.str();
    if (problem == HandInProblem::NoAnswer) {
        QCOMPARE(told, std::string());
    } else {
        QCOMPARE(ErrorLines(), 1);
        QVERIFY2(told.find(HandInProblemText(problem)) != std::string::npos, told.c_str());
    }
}

QTEST_MAIN(TForm1ClassFolderTest)
#include "TForm1ClassFolderTest.moc"
