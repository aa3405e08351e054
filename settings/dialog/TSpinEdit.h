#pragma once

#include <QWidget>

class QKeyEvent;
class QLineEdit;
class SpinButton;

// A numeric spin field: a single-line edit with a pair of small up/down buttons at its right
// edge. The text is the truth; the value is read from it each time.
class TSpinEdit : public QWidget {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* parent);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    void SetRange(int minValue, int maxValue);
    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }

    // The text read by the integer conversion; text that does not convert reads as the minimum,
    // so this never throws.
    int Value() const;
    // Writes the value, clamped to the range, as text.
    void SetValue(int value);

    QString Text() const;
    void SetText(const QString& text);

    // Names the field and the edit inside it for screen readers, after the label above it.
    void SetAccessibleCaption(const QString& caption);

    void UpClick();
    void DownClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Clamping is off while minimum and maximum are equal.
    int CheckValue(int value) const;
    void StepBy(long long delta);
    // Typed characters other than these are swallowed with a beep.
    static bool IsValidChar(QChar character);
    static bool IsValidText(const QString& text);
    // True when the key was used up here.
    bool FilterKeyPress(const QKeyEvent& event);
    // A character an input method committed, under the same rule as a typed one.
    void TypeCharacter(char32_t character);
    void ClampOnExit(Qt::FocusReason reason);

    QLineEdit* editor_ = nullptr;
    SpinButton* upButton_ = nullptr;
    SpinButton* downButton_ = nullptr;
    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
};
