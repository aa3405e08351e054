#include "settings/dialog/TSpinEdit.h"

#include "common/ui/Fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <initializer_list>
#include <memory>

namespace {

// A data row whose columns all hold text.
void TextRow(const char* name, std::initializer_list<const char*> texts) {
    QTestData& row = QTest::newRow(name);
    for (const char* text : texts) {
        row << QString::fromUtf8(text);
    }
}

} // namespace

// One spin field, range 1 to 10 and increment 2, and a check box, so the focus can come and go by
// keyboard.
class TSpinEditTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        InstallFontSubstitutes();
        // A decimal comma, so that the full stop is a character the filter must refuse.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void init() {
        window_ = std::make_unique<QWidget>();
        field_ = new TSpinEdit(window_.get());
        field_->setGeometry(10, 30, 73, 22);
        field_->SetRange(1, 10);
        field_->SetIncrement(2);
        after_ = new QCheckBox(QStringLiteral("after"), window_.get());
        after_->move(10, 60);
        editor_ = field_->findChild<QLineEdit*>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); }

    void valueReadsTheTextUnclampedOrAsMinimum() {
        field_->SetText(QStringLiteral("25"));
        QCOMPARE(field_->Value(), 25);
        field_->SetText(QStringLiteral("-"));
        QCOMPARE(field_->Value(), 1);
    }

    // Clamping itself is seen in stepping and on leaving the field.
    void equalBoundsDoNotClamp() {
        field_->SetRange(3, 3);
        field_->SetValue(42);
        QCOMPARE(field_->Text(), QStringLiteral("42"));
    }

    // Digits, signs, the decimal comma and Backspace pass; letters, blank, "$", the full stop and
    // Enter are swallowed; Ctrl+V pastes unfiltered.
    void typingIsFilteredPastingIsNot() {
        QApplication::clipboard()->setText(QStringLiteral("x.y"));
        field_->SetText(QString());
        editor_->setFocus();
        QSignalSpy enterReached(editor_, &QLineEdit::returnPressed);
        QTest::keyClicks(editor_, QStringLiteral("+-0123456789,5\ba b$.\r"));
        QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field_->Text(), QStringLiteral("+-0123456789,x.y"));
        QCOMPARE(enterReached.count(), 0);
    }

    // Dead keys and compose sequences commit their text past the key filter.
    void inputMethodTextIsFilteredLikeTypedKeys() {
        field_->SetText(QString());
        editor_->setFocus();
        QInputMethodEvent pending(QStringLiteral("^"), {});
        QCoreApplication::sendEvent(editor_, &pending);
        QInputMethodEvent committing;
        committing.setCommitString(QStringLiteral("7\u00B9\u00E9,5^"));
        QCoreApplication::sendEvent(editor_, &committing);
        QCOMPARE(field_->Text(), QStringLiteral("7,5"));
    }

    void stepping_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("text");
        TextRow("Up key", {"5", "Key_Up", "7"});
        TextRow("Down key", {"5", "Key_Down", "3"});
        TextRow("up button", {"5", "UpButton", "7"});
        TextRow("down button", {"5", "DownButton", "3"});
        TextRow("up from unconvertible gives minimum + increment", {"abc", "Key_Up", "3"});
        TextRow("down from unconvertible stays at minimum", {"", "DownButton", "1"});
        TextRow("up stops at maximum", {"9", "UpButton", "10"});
    }

    void stepping() {
        QFETCH(QString, start);
        QFETCH(QString, step);
        QFETCH(QString, text);
        field_->SetText(start);
        if (step.startsWith(u"Key_")) {
            QTest::keyClick(editor_, step == u"Key_Up" ? Qt::Key_Up : Qt::Key_Down);
        } else {
            QTest::mouseClick(field_->findChild<QToolButton*>(step), Qt::LeftButton);
        }
        QCOMPARE(field_->Text(), text);
    }

    // A driven timer: each timeout is delivered at once, and each press starts over at 400 ms.
    void heldButtonRepeats() {
        field_->SetRange(1, 100);
        field_->SetValue(50);
        auto* held = field_->findChild<QToolButton*>(QStringLiteral("UpButton"));
        auto* timer = held->findChild<QTimer*>(QStringLiteral("RepeatTimer"));
        for (const int start : {50, 58}) {
            QTest::mousePress(held, Qt::LeftButton);
            QCOMPARE(field_->Value(), start + 2);
            QCOMPARE(timer->interval(), 400);
            for (int repeat = 1; repeat <= 3; ++repeat) {
                QTimerEvent tick(timer->timerId());
                QCoreApplication::sendEvent(timer, &tick);
                QCOMPARE(timer->interval(), 100);
            }
            QTest::mouseRelease(held, Qt::LeftButton);
            QVERIFY(!timer->isActive());
            QCOMPARE(field_->Value(), start + 8);
        }
    }

    void leavingClampsNumbersOnly_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        TextRow("above", {"25", "10"});
        TextRow("below", {"0", "1"});
        TextRow("inside keeps its spelling", {"+5", "+5"});
        TextRow("letters stay", {"abc", "abc"});
    }

    void leavingClampsNumbersOnly() {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        editor_->setFocus(Qt::TabFocusReason);
        field_->SetText(typed);
        QTest::keyClick(editor_, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after_);
        QCOMPARE(field_->Text(), text);
    }

    void switchingWindowsDoesNotClamp() {
        editor_->setFocus(Qt::TabFocusReason);
        field_->SetText(QStringLiteral("25"));
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(field_->Text(), QStringLiteral("25"));
    }

    void keyboardEntrySelectsAll() {
        after_->setFocus(Qt::TabFocusReason);
        field_->SetText(QStringLiteral("42"));
        QTest::keyClick(after_, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), editor_);
        QCOMPARE(editor_->selectedText(), QStringLiteral("42"));
    }

private:
    std::unique_ptr<QWidget> window_;
    TSpinEdit* field_ = nullptr;
    QCheckBox* after_ = nullptr;
    QLineEdit* editor_ = nullptr;
};

QTEST_MAIN(TSpinEditTest)
#include "TSpinEditTest.moc"
