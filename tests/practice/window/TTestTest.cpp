#include "practice/window/TTest.h"

#include "common/ui/ApplicationSetup.h"
#include "practice/window/TimeBarSegment.h"
#include "tests/support/FakeRecorder.h"
#include "tests/support/FixedPlan.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/UiTexts.h"
#include "tests/widgetsupport/CountdownSteps.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The product the problem line asks for, read the way a child reads it.
int AskedProduct(const QLabel* problem) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+) \u00B7 (\\d+) = $"));
    const QRegularExpressionMatch match = pattern.match(problem->text());
    return match.hasMatch() ? match.captured(1).toInt() * match.captured(2).toInt() : -1;
}

} // namespace

class TTestTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigureApplication(); }
    void init();
    void cleanup();

    void perfectRoundEndsWithTheStarAndNochMalStartsAgain();
    void wrongAndEmptyAnswersCountAsWrong();
    void refusedKeysShowTheMessageAndDeleteBeforeTheCaret_data();
    void refusedKeysShowTheMessageAndDeleteBeforeTheCaret();
    void keysThatTypeNothingReachTheFieldUnfiltered();
    void inputMethodTextIsFilteredLikeTypedKeys_data();
    void inputMethodTextIsFilteredLikeTypedKeys();
    void aProblemTimesOutAndCountsAsWrong();
    void pastedTextThatIsNoNumberReportsTheConversionError();
    void startOnAnOpenWindowOnlyRaisesIt();
    void closingStopsTheCountdown();
    void timeBarSegmentsHaveTheirColoursAndPlaces();
    void problemLineEndsAtTheSamePlace();
    void brokenSettingsLeaveTheBoardEmpty();
    void answersAreRecordedOnlyWhenSwitchedOn_data();
    void answersAreRecordedOnlyWhenSwitchedOn();
    void aMistakeShowsTheRightProductForAMoment();
    void theTypingCheckEndsOnEscapeOrClosing_data();
    void theTypingCheckEndsOnEscapeOrClosing();

private:
    template <typename T> T* Find(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }
    void Answer(const QString& typed);
    void AnswerRight() { Answer(QString::number(AskedProduct(Find<QLabel>("Label1")))); }

    InMemorySettings settings_;
    FakeRecorder recorder_;
    std::unique_ptr<TTest> window_;
    std::unique_ptr<ModalBoxWatcher> boxes_;
};

void TTestTest::init() {
    settings_ = {};
    settings_.ini = "[Vorgaben]\nMenge=3\nTimer=off\n";
    recorder_ = {};
    window_ = std::make_unique<TTest>(nullptr, settings_, &recorder_);
    boxes_ = std::make_unique<ModalBoxWatcher>();
}

void TTestTest::cleanup() {
    boxes_.reset();
    window_.reset();
}

void TTestTest::Answer(const QString& typed) {
    auto* userin = Find<QLineEdit>("Userin");
    QTest::keyClicks(userin, typed);
    QTest::keyClick(userin, Qt::Key_Return);
}

void TTestTest::perfectRoundEndsWithTheStarAndNochMalStartsAgain() {
    window_->ShowFromMenu();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Test"));
    QCOMPARE(Find<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 1 von 3"));
    QVERIFY(Find<QLineEdit>("Userin")->hasFocus());

    for (int problem = 1; problem <= 3; ++problem) {
        QVERIFY(Find<QLabel>("Label1")->isVisible());
        AnswerRight();
        QCOMPARE(Find<QLabel>("Label2")->text(), QStringLiteral("%1 Richtig").arg(problem));
        QCOMPARE(Find<QLineEdit>("Userin")->text(), QString());
    }

    QCOMPARE(Find<QLabel>("Label5")->text(), QString::fromStdString(ui_texts::ResultLine(3)));
    QVERIFY(Find<QLabel>("Label5")->isVisible());
    QVERIFY(!Find<QLabel>("Label3")->isVisible());
    QVERIFY(!Find<QLabel>("Label1")->isVisible());
    QVERIFY(!Find<QLineEdit>("Userin")->isVisible());
    QVERIFY(Find<QWidget>("Image2")->isVisible());
    auto* nochMal = Find<QPushButton>("Button2");
    QVERIFY(nochMal->isVisible());

    QTest::mouseClick(nochMal, Qt::LeftButton);
    QVERIFY(!Find<QWidget>("Image2")->isVisible());
    QVERIFY(!Find<QLabel>("Label2")->isVisible());
    QVERIFY(!nochMal->isVisible());
    QCOMPARE(Find<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 1 von 3"));
    QVERIFY(boxes_->Seen().isEmpty());
}

void TTestTest::wrongAndEmptyAnswersCountAsWrong() {
    window_->ShowFromMenu();
    Answer(QString::number(AskedProduct(Find<QLabel>("Label1")) + 1));
    QCOMPARE(Find<QLabel>("Label3")->text(), QStringLiteral("1 Falsch"));
    Answer(QString());
    QCOMPARE(Find<QLabel>("Label3")->text(), QStringLiteral("2 Falsch"));
    QCOMPARE(Find<QLineEdit>("Userin")->text(), QString());
    AnswerRight();

    QCOMPARE(Find<QLabel>("Label2")->text(), QStringLiteral("1 Richtig"));
    QVERIFY(!Find<QWidget>("Image2")->isVisible());
    QVERIFY(Find<QPushButton>("Button2")->isVisible());
}

void TTestTest::refusedKeysShowTheMessageAndDeleteBeforeTheCaret_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier);
    QTest::newRow("blank") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("minus") << int(Qt::Key_Minus) << int(Qt::NoModifier);
    QTest::newRow("escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("copy") << int(Qt::Key_C) << int(Qt::ControlModifier);
    QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("cut") << int(Qt::Key_X) << int(Qt::ControlModifier);
    QTest::newRow("undo") << int(Qt::Key_Z) << int(Qt::ControlModifier);
}

void TTestTest::refusedKeysShowTheMessageAndDeleteBeforeTheCaret() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    window_->ShowFromMenu();
    auto* userin = Find<QLineEdit>("Userin");
    QTest::keyClicks(userin, QStringLiteral("123"));
    userin->setCursorPosition(2);

    QTest::keyClick(userin, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(boxes_->Texts(), QStringList{QString::fromStdString(ui_texts::kNotANumber)});
    const SeenMessageBox& box = boxes_->Seen().constFirst();
    QCOMPARE(box.title, QStringLiteral("Kalkuno"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttonCount, 1);
    QCOMPARE(userin->text(), QStringLiteral("13"));
}

void TTestTest::keysThatTypeNothingReachTheFieldUnfiltered() {
    window_->ShowFromMenu();
    auto* userin = Find<QLineEdit>("Userin");
    QTest::keyClicks(userin, QStringLiteral("45"));
    QTest::keyClick(userin, Qt::Key_Left);
    QTest::keyClick(userin, Qt::Key_Delete);
    QTest::keyClick(userin, Qt::Key_Home);
    QTest::keyClick(userin, Qt::Key_7);
    QTest::keyClick(userin, Qt::Key_End);
    QTest::keyClick(userin, Qt::Key_Backspace);
    QTest::keyClick(userin, Qt::Key_Shift);

    QVERIFY(boxes_->Seen().isEmpty());
    QCOMPARE(userin->text(), QStringLiteral("7"));
}

void TTestTest::inputMethodTextIsFilteredLikeTypedKeys_data() {
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("messages");

    // Dead ^ then 1 and dead ´ then e on a German keyboard.
    QTest::newRow("superscript one") << u"\u00B9"_s << u"13"_s << 1;
    QTest::newRow("accented letter") << u"\u00E9"_s << u"13"_s << 1;
    QTest::newRow("digit") << u"7"_s << u"1273"_s << 0;
    QTest::newRow("digit then refused") << u"7\u00B9"_s << u"123"_s << 1;
}

// The dead key's pending text comes first, as an input method shows it.
void TTestTest::inputMethodTextIsFilteredLikeTypedKeys() {
    QFETCH(QString, commit);
    QFETCH(QString, text);
    QFETCH(int, messages);
    window_->ShowFromMenu();
    auto* userin = Find<QLineEdit>("Userin");
    QTest::keyClicks(userin, u"123"_s);
    userin->setCursorPosition(2);
    QInputMethodEvent pending(u"^"_s, {});
    QCoreApplication::sendEvent(userin, &pending);

    QInputMethodEvent committing;
    committing.setCommitString(commit);
    QCoreApplication::sendEvent(userin, &committing);

    QCOMPARE(boxes_->Texts(), QStringList(messages, QString::fromStdString(ui_texts::kNotANumber)));
    QCOMPARE(userin->text(), text);
}

void TTestTest::aProblemTimesOutAndCountsAsWrong() {
    settings_.ini = "[Vorgaben]\nMenge=2\nZeit=10\nTimer=on\n";
    window_->ShowFromMenu();
    auto* userin = Find<QLineEdit>("Userin");
    QTest::keyClicks(userin, QStringLiteral("9"));

    QVERIFY(StepCountdown(*window_, 10));
    QVERIFY(Find<TimeBarSegment>("Shape10")->isVisible());
    QVERIFY(!Find<TimeBarSegment>("Shape20")->isVisible());
    QVERIFY(StepCountdown(*window_, 11));
    QCOMPARE(Find<QLabel>("Label3")->text(), QStringLiteral("1 Falsch"));

    QCOMPARE(Find<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 2 von 2"));
    QCOMPARE(userin->text(), QString());
    QVERIFY(!Find<TimeBarSegment>("Shape1")->isVisible());
}

void TTestTest::pastedTextThatIsNoNumberReportsTheConversionError() {
    window_->ShowFromMenu();
    auto* userin = Find<QLineEdit>("Userin");
    userin->insert(QStringLiteral("12a"));
    QTest::keyClick(userin, Qt::Key_Return);

    QCOMPARE(boxes_->Texts(), QStringList{QStringLiteral("'12a' is not a valid integer value.")});
    QCOMPARE(boxes_->Seen().constFirst().icon, QMessageBox::Critical);
    QCOMPARE(boxes_->Seen().constFirst().title, QStringLiteral("Kalkuno"));
    QCOMPARE(userin->text(), QStringLiteral("12a"));
    QCOMPARE(Find<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 1 von 3"));
    QVERIFY(!Find<QLabel>("Label3")->isVisible());

    userin->clear();
    AnswerRight();
    QCOMPARE(Find<QLabel>("Label2")->text(), QStringLiteral("1 Richtig"));
}

void TTestTest::startOnAnOpenWindowOnlyRaisesIt() {
    window_->ShowFromMenu();
    AnswerRight();
    window_->ShowFromMenu();
    QCOMPARE(Find<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 2 von 3"));

    QVERIFY(window_->close());
    QVERIFY(!window_->isVisible());
    window_->ShowFromMenu();
    QCOMPARE(Find<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 1 von 3"));
    QVERIFY(!Find<QLabel>("Label2")->isVisible());
}

void TTestTest::closingStopsTheCountdown() {
    settings_.ini = "[Vorgaben]\nZeit=10\n";
    window_->ShowFromMenu();
    QVERIFY(StepCountdown(*window_, 1));
    QVERIFY(Find<TimeBarSegment>("Shape1")->isVisible());

    QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
    QVERIFY(!window_->isVisible());
    QVERIFY(!StepCountdown(*window_, 1));
    QVERIFY(!Find<TimeBarSegment>("Shape1")->isVisible());
    QVERIFY(!Find<TimeBarSegment>("Shape3")->isVisible());
}

void TTestTest::timeBarSegmentsHaveTheirColoursAndPlaces() {
    const QList<QColor> colours{{0, 136, 0},   {0, 153, 0},   {17, 153, 0},  {34, 153, 0},
                                {51, 153, 0},  {68, 153, 0},  {85, 153, 0},  {102, 170, 0},
                                {136, 170, 0}, {255, 170, 0}, {255, 170, 0}, {255, 153, 0},
                                {255, 153, 0}, {255, 119, 0}, {255, 119, 0}, {255, 68, 0},
                                {255, 51, 0},  {255, 34, 0},  {255, 17, 0},  {255, 0, 0}};
    // Before the first round every segment shows, as the window was designed.
    const QImage board = window_->grab().toImage();
    for (int tag = 1; tag <= 20; ++tag) {
        const QRect expected(112 + 16 * (tag - 1), 168, 17, 33);
        QCOMPARE(Find<TimeBarSegment>(qPrintable(QStringLiteral("Shape%1").arg(tag)))->geometry(),
                 expected);
        QCOMPARE(board.pixelColor(expected.center() + QPoint(1, 0)), colours.at(tag - 1));
        QCOMPARE(board.pixelColor(expected.topLeft()), QColor(Qt::black));
    }
}

void TTestTest::problemLineEndsAtTheSamePlace() {
    settings_.ini = "[Vorgaben]\nMenge=30\nTimer=off\n";
    window_->ShowFromMenu();
    const auto* problem = Find<QLabel>("Label1");
    const int fieldLeft = Find<QLineEdit>("Userin")->x();
    QSet<int> ends;
    QSet<qsizetype> lengths;
    for (int answered = 0; answered < 29; ++answered) {
        // Where the white chalk of the problem line ends, as a child sees it on the board.
        const QImage board = window_->grab().toImage();
        int end = -1;
        for (int y = problem->y(); y < problem->y() + problem->height(); ++y) {
            for (int x = 0; x < fieldLeft; ++x) {
                if (board.pixelColor(x, y).lightness() > 200) {
                    end = std::max(end, x);
                }
            }
        }
        ends.insert(end);
        lengths.insert(problem->text().size());
        AnswerRight();
    }
    QVERIFY2(lengths.size() > 1, "only problems of one length were asked");
    QCOMPARE(ends.size(), 1);
    const int gap = fieldLeft - *ends.begin();
    QVERIFY2(gap > 4 && gap < 30, qPrintable(QString::number(gap)));
}

void TTestTest::brokenSettingsLeaveTheBoardEmpty() {
    settings_.ini = "[Vorgaben]\nZeit=abc\n";
    window_->ShowFromMenu();

    QVERIFY(window_->isVisible());
    QCOMPARE(boxes_->Texts(), QStringList{QStringLiteral("'abc' is not a valid integer value.")});
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
        QVERIFY2(!Find<QLabel>(name)->isVisible(), name);
    }
    QVERIFY(!Find<QLineEdit>("Userin")->isVisible());
    QVERIFY(Find<QPushButton>("Button1")->isVisible());
}

void TTestTest::answersAreRecordedOnlyWhenSwitchedOn_data() {
    QTest::addColumn<QString>("aufzeichnen");
    QTest::addColumn<bool>("recorded");
    QTest::newRow("on") << "on" << true;
    QTest::newRow("off") << "off" << false;
    QTest::newRow("absent") << "" << false;
}

void TTestTest::answersAreRecordedOnlyWhenSwitchedOn() {
    QFETCH(QString, aufzeichnen);
    QFETCH(bool, recorded);
    settings_.ini =
        "[Vorgaben]\nMenge=2\nTimer=off\n[Lernstand]\nAufzeichnen=" + aufzeichnen.toStdString() +
        "\n";
    window_->ShowFromMenu();
    AnswerRight();
    Answer(QString());

    QCOMPARE(recorder_.told.size(), recorded ? std::size_t{3} : std::size_t{0});
    if (recorded) {
        QVERIFY(QString::fromStdString(recorder_.told[1]).contains(u" right "_s));
        QVERIFY(QString::fromStdString(recorder_.told[2]).contains(u" empty "_s));
    }
    QVERIFY(boxes_->Seen().isEmpty());
}

void TTestTest::aMistakeShowsTheRightProductForAMoment() {
    FixedPlan plan;
    settings_.ini = "[Vorgaben]\nMenge=3\nTimer=off\n[Lernstand]\nAufzeichnen=on\nGezielt=on\n";
    window_ = std::make_unique<TTest>(nullptr, settings_, &recorder_, &plan);
    window_->ShowFromMenu();
    auto* userin = Find<QLineEdit>("Userin");
    Answer(u"54"_s);

    QCOMPARE(userin->text(), u"56"_s);
    QVERIFY(userin->isReadOnly());
    QCOMPARE(userin->palette().color(QPalette::Text), QColor(0, 128, 0));
    QCOMPARE(userin->accessibleName(), u"7 \u00B7 8 = 56"_s);
    QTest::keyClicks(userin, u"9"_s);
    QCOMPARE(userin->text(), u"56"_s);
    QVERIFY(boxes_->Seen().isEmpty());

    QVERIFY(QMetaObject::invokeMethod(Find<QTimer>("Timer2"), "timeout"));
    QCOMPARE(userin->text(), QString());
    QVERIFY(!userin->isReadOnly());
    QCOMPARE(userin->accessibleName(), u"Antwort"_s);
    QCOMPARE(Find<QLabel>("Label1")->text(), u"6 \u00B7 8 = "_s);
}

void TTestTest::theTypingCheckEndsOnEscapeOrClosing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape in the answer field") << u"field"_s;
    QTest::newRow("Escape on the Ende button") << u"button"_s;
    QTest::newRow("closing the window") << u"close"_s;
}

void TTestTest::theTypingCheckEndsOnEscapeOrClosing() {
    QFETCH(QString, how);
    FixedPlan plan;
    plan.checkDue = true;
    settings_.ini = "[Vorgaben]\nMenge=3\nTimer=off\n[Lernstand]\nAufzeichnen=on\nGezielt=on\n";
    window_ = std::make_unique<TTest>(nullptr, settings_, &recorder_, &plan);
    window_->ShowFromMenu();
    auto* problem = Find<QLabel>("Label1");
    auto* progress = Find<QLabel>("Label4");
    QVERIFY(problem->text().startsWith(u"Tippe: "_s));
    QCOMPARE(progress->text(), u"Zahl 1 von 5"_s);
    QVERIFY(!Find<QLabel>("Label2")->isVisible());
    QVERIFY(!Find<QLabel>("Label3")->isVisible());
    Answer(problem->text().mid(7));
    QCOMPARE(progress->text(), u"Zahl 2 von 5"_s);

    auto* userin = Find<QLineEdit>("Userin");
    QTest::keyClicks(userin, u"4"_s);
    if (how == u"field"_s) {
        QTest::keyClick(userin, Qt::Key_Escape);
    } else if (how == u"button"_s) {
        QTest::keyClick(Find<QPushButton>("Button1"), Qt::Key_Escape);
    } else {
        window_->close();
        QVERIFY(recorder_.told.empty());
        return;
    }
    QCOMPARE(problem->text(), u"7 \u00B7 8 = "_s);
    QCOMPARE(progress->text(), u"Aufgabe 1 von 3"_s);
    QCOMPARE(userin->text(), QString());
    QCOMPARE(recorder_.told.size(), 1U);
    QVERIFY(recorder_.told.front().starts_with("round 3 untimed"));
    QVERIFY(boxes_->Seen().isEmpty());
}

QTEST_MAIN(TTestTest)
#include "TTestTest.moc"
