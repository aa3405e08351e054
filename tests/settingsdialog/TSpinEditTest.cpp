#include "settings/dialog/TSpinEdit.h"

#include "common/ui/Fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

enum class Step { UpKey, DownKey, UpButton, DownButton };

// Delivers the timer's next timeout now instead of waiting for it.
void Fire(QTimer& timer) {
    QTimerEvent tick(timer.timerId());
    QCoreApplication::sendEvent(&timer, &tick);
}

} // namespace

Q_DECLARE_METATYPE(Step)

// One spin field (range 1 to 10 unless a test says otherwise) between two check boxes, so the
// focus can come and go by keyboard.
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
        before_ = new QCheckBox(QStringLiteral("before"), window_.get());
        field_ = new TSpinEdit(window_.get());
        field_->setGeometry(10, 30, 73, 22);
        field_->SetRange(1, 10);
        after_ = new QCheckBox(QStringLiteral("after"), window_.get());
        after_->move(10, 60);
        editor_ = field_->findChild<QLineEdit*>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); }

    void valueReadsTheText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("number") << "7" << 7;
        QTest::newRow("outside the range, unclamped") << "25" << 25;
        QTest::newRow("leading blank") << " 8" << 8;
        QTest::newRow("hexadecimal") << "$A" << 10;
        QTest::newRow("empty reads as minimum") << "" << 1;
        QTest::newRow("sign only reads as minimum") << "-" << 1;
        QTest::newRow("letters read as minimum") << "abc" << 1;
        QTest::newRow("trailing blank reads as minimum") << "8 " << 1;
        QTest::newRow("decimal comma reads as minimum") << "1,5" << 1;
    }

    void valueReadsTheText() {
        QFETCH(QString, text);
        QFETCH(int, value);
        field_->SetText(text);
        QCOMPARE(field_->Value(), value);
    }

    void setValueClamps_data() {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("inside") << 1 << 10 << 5 << "5";
        QTest::newRow("below") << 1 << 10 << 0 << "1";
        QTest::newRow("above") << 1 << 10 << 11 << "10";
        QTest::newRow("equal bounds do not clamp above") << 3 << 3 << 42 << "42";
        QTest::newRow("equal bounds do not clamp below") << 3 << 3 << -5 << "-5";
    }

    void setValueClamps() {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(QString, text);
        field_->SetRange(minimum, maximum);
        field_->SetValue(value);
        QCOMPARE(field_->Text(), text);
    }

    void typingFilter_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("digits and signs") << ""
                                          << "+-0123456789"
                                          << "+-0123456789";
        QTest::newRow("letters and blanks swallowed") << ""
                                                      << "1a b2"
                                                      << "12";
        QTest::newRow("hexadecimal marker swallowed") << ""
                                                      << "$A1"
                                                      << "1";
        QTest::newRow("locale decimal separator") << ""
                                                  << "1,5"
                                                  << "1,5";
        QTest::newRow("other decimal separator swallowed") << ""
                                                           << "1.5"
                                                           << "15";
        QTest::newRow("Enter swallowed") << "7"
                                         << "\r"
                                         << "7";
        QTest::newRow("Backspace passes") << ""
                                          << "12\b"
                                          << "1";
    }

    void typingFilter() {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        field_->SetText(start);
        editor_->setFocus();
        QSignalSpy enterReached(editor_, &QLineEdit::returnPressed);
        QTest::keyClicks(editor_, typed);
        QCOMPARE(field_->Text(), text);
        QCOMPARE(enterReached.count(), 0);
    }

    void pastedTextIsNotFiltered() {
        QGuiApplication::clipboard()->setText(QStringLiteral("ab.c"));
        field_->SetText(QString());
        editor_->setFocus();
        QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field_->Text(), QStringLiteral("ab.c"));
    }

    void stepping_data() {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("increment");
        QTest::addColumn<QString>("start");
        QTest::addColumn<Step>("step");
        QTest::addColumn<QString>("text");
        QTest::newRow("Up key") << 1 << 10 << 1 << "5" << Step::UpKey << "6";
        QTest::newRow("Down key") << 1 << 10 << 1 << "5" << Step::DownKey << "4";
        QTest::newRow("up button") << 1 << 10 << 1 << "5" << Step::UpButton << "6";
        QTest::newRow("down button") << 1 << 10 << 1 << "5" << Step::DownButton << "4";
        QTest::newRow("by the increment") << 0 << 100 << 5 << "10" << Step::UpKey << "15";
        QTest::newRow("up from unconvertible") << 1 << 10 << 1 << "abc" << Step::UpKey << "2";
        QTest::newRow("down from unconvertible") << 1 << 10 << 1 << "" << Step::DownButton << "1";
        QTest::newRow("up stops at maximum") << 1 << 10 << 1 << "10" << Step::UpButton << "10";
        QTest::newRow("up from above the range") << 1 << 10 << 1 << "25" << Step::UpKey << "10";
        QTest::newRow("equal bounds do not clamp") << 0 << 0 << 1 << "7" << Step::UpKey << "8";
    }

    void stepping() {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, increment);
        QFETCH(QString, start);
        QFETCH(Step, step);
        QFETCH(QString, text);
        field_->SetRange(minimum, maximum);
        field_->SetIncrement(increment);
        field_->SetText(start);
        switch (step) {
        case Step::UpKey:
            QTest::keyClick(editor_, Qt::Key_Up);
            break;
        case Step::DownKey:
            QTest::keyClick(editor_, Qt::Key_Down);
            break;
        case Step::UpButton:
            QTest::mouseClick(Button("UpButton"), Qt::LeftButton);
            break;
        case Step::DownButton:
            QTest::mouseClick(Button("DownButton"), Qt::LeftButton);
            break;
        }
        QCOMPARE(field_->Text(), text);
    }

    void heldButtonRepeats_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("direction");
        QTest::newRow("up") << "UpButton" << 1;
        QTest::newRow("down") << "DownButton" << -1;
    }

    void heldButtonRepeats() {
        QFETCH(QString, button);
        QFETCH(int, direction);
        field_->SetRange(1, 100);
        field_->SetValue(50);
        QToolButton* held = Button(button);
        auto* timer = held->findChild<QTimer*>(QStringLiteral("RepeatTimer"));
        QVERIFY(timer != nullptr);

        for (int press = 0; press < 2; ++press) {
            const int start = field_->Value();
            QTest::mousePress(held, Qt::LeftButton);
            QCOMPARE(field_->Value(), start + direction);
            QVERIFY(timer->isActive());
            QCOMPARE(timer->interval(), 400);
            for (int repeat = 1; repeat <= 3; ++repeat) {
                Fire(*timer);
                QCOMPARE(field_->Value(), start + direction * (1 + repeat));
                QCOMPARE(timer->interval(), 100);
            }
            QTest::mouseRelease(held, Qt::LeftButton);
            QVERIFY(!timer->isActive());
            QCOMPARE(field_->Value(), start + direction * 4);
        }
    }

    void leavingClampsNumbersOnly_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("above") << "25"
                               << "10";
        QTest::newRow("below") << "0"
                               << "1";
        QTest::newRow("negative") << "-7"
                                  << "1";
        QTest::newRow("leading blank, above") << " 25"
                                              << "10";
        QTest::newRow("inside keeps its spelling") << "+5"
                                                   << "+5";
        QTest::newRow("letters stay") << "abc"
                                      << "abc";
        QTest::newRow("empty stays") << ""
                                     << "";
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

    void keyboardEntrySelectsAll_data() {
        QTest::addColumn<bool>("backwards");
        QTest::newRow("Tab") << false;
        QTest::newRow("Backtab") << true;
    }

    void keyboardEntrySelectsAll() {
        QFETCH(bool, backwards);
        field_->SetText(QStringLiteral("42"));
        QCheckBox* from = backwards ? after_ : before_;
        from->setFocus(Qt::TabFocusReason);
        QTest::keyClick(from, backwards ? Qt::Key_Backtab : Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), editor_);
        QCOMPARE(editor_->selectedText(), QStringLiteral("42"));
    }

private:
    QToolButton* Button(const QString& name) const { return field_->findChild<QToolButton*>(name); }

    std::unique_ptr<QWidget> window_;
    QCheckBox* before_ = nullptr;
    TSpinEdit* field_ = nullptr;
    QCheckBox* after_ = nullptr;
    QLineEdit* editor_ = nullptr;
};

QTEST_MAIN(TSpinEditTest)
#include "TSpinEditTest.moc"
