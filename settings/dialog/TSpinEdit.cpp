#include "settings/dialog/TSpinEdit.h"

#include "common/IntegerConversion.h"
#include "common/ui/InputMethodText.h"
#include "common/ui/PlainText.h"
#include "settings/dialog/SpinButton.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace {

constexpr int kButtonWidth = 15;

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent)
    : QWidget(parent) {
    editor_ = new QLineEdit(this);
    editor_->setObjectName(QStringLiteral("Editor"));
    upButton_ = new SpinButton(Qt::UpArrow, this);
    upButton_->setObjectName(QStringLiteral("UpButton"));
    downButton_ = new SpinButton(Qt::DownArrow, this);
    downButton_->setObjectName(QStringLiteral("DownButton"));
    // Focusable itself, like Qt's own spin boxes, so that it can take its place in a tab order.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(editor_);
    editor_->installEventFilter(this);
    for (SpinButton* button : {upButton_, downButton_}) {
        // As in the classic field, pressing a button puts the caret into the edit.
        connect(button, &QAbstractButton::pressed, this,
                [this] { editor_->setFocus(Qt::MouseFocusReason); });
    }
    connect(upButton_, &SpinButton::Step, this, &TSpinEdit::UpClick);
    connect(downButton_, &SpinButton::Step, this, &TSpinEdit::DownClick);
    SetValue(0);
}

void TSpinEdit::SetRange(int minValue, int maxValue) {
    minValue_ = minValue;
    maxValue_ = maxValue;
}

int TSpinEdit::Value() const {
    try {
        return StrToInt(editor_->text().toStdString());
    } catch (const ConversionError&) {
        return minValue_;
    }
}

void TSpinEdit::SetValue(int value) {
    SetPlainText(*editor_, QString::number(CheckValue(value)));
}

QString TSpinEdit::Text() const {
    return editor_->text();
}

void TSpinEdit::SetText(const QString& text) {
    SetPlainText(*editor_, text);
}

void TSpinEdit::SetAccessibleCaption(const QString& caption) {
    setAccessibleName(caption);
    editor_->setAccessibleName(caption);
}

void TSpinEdit::UpClick() {
    StepBy(increment_);
}

void TSpinEdit::DownClick() {
    StepBy(-static_cast<long long>(increment_));
}

bool TSpinEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_) {
        if (event->type() == QEvent::KeyPress) {
            return FilterKeyPress(static_cast<const QKeyEvent&>(*event));
        }
        if (event->type() == QEvent::InputMethod) {
            return TypeCommittedText(*editor_, static_cast<const QInputMethodEvent&>(*event),
                                     [this](char32_t typed) { TypeCharacter(typed); });
        }
        if (event->type() == QEvent::FocusOut) {
            ClampOnExit(static_cast<const QFocusEvent&>(*event).reason());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSpinEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    editor_->setGeometry(rect());
    // The buttons sit inside the edit's frame, where the text is kept clear of them.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, editor_);
    const int left = width() - frame - kButtonWidth;
    const int inner = height() - 2 * frame;
    const int upHeight = inner / 2;
    upButton_->setGeometry(left, frame, kButtonWidth, upHeight);
    downButton_->setGeometry(left, frame + upHeight, kButtonWidth, inner - upHeight);
    editor_->setTextMargins(0, 0, kButtonWidth, 0);
}

int TSpinEdit::CheckValue(int value) const {
    if (minValue_ == maxValue_) {
        return value;
    }
    if (value < minValue_) {
        return minValue_;
    }
    if (value > maxValue_) {
        return maxValue_;
    }
    return value;
}

void TSpinEdit::StepBy(long long delta) {
    constexpr long long lowest = std::numeric_limits<int>::min();
    constexpr long long highest = std::numeric_limits<int>::max();
    const long long next = std::clamp(Value() + delta, lowest, highest);
    SetValue(static_cast<int>(next));
}

bool TSpinEdit::IsValidChar(QChar character) {
    return (character >= u'0' && character <= u'9') || character == u'+' || character == u'-' ||
           QLocale().decimalPoint() == character ||
           (character.category() == QChar::Other_Control && character != u'\r');
}

bool TSpinEdit::IsValidText(const QString& text) {
    return std::all_of(text.begin(), text.end(), IsValidChar);
}

bool TSpinEdit::FilterKeyPress(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Up) {
        UpClick();
        return true;
    }
    if (event.key() == Qt::Key_Down) {
        DownClick();
        return true;
    }
    // Shortcuts such as Ctrl+V type no character, whatever text the platform attaches to them.
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString text = event.text();
    if (IsValidText(text)) {
        return false;
    }
    QApplication::beep();
    return true;
}

void TSpinEdit::TypeCharacter(char32_t character) {
    const QString text = QString::fromUcs4(&character, 1);
    if (IsValidText(text)) {
        editor_->insert(text);
    } else {
        QApplication::beep();
    }
}

void TSpinEdit::ClampOnExit(Qt::FocusReason reason) {
    // Only moving to another control leaves the field; switching windows or a popup does not.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    const int value = Value();
    if (CheckValue(value) != value) {
        SetValue(value);
    }
}
