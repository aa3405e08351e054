#pragma once

#include "practice/PracticeEngine.h"
#include "practice/PracticeView.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class SvgPicture;
class TimeBar;

// The chalkboard on which a round is played. It shows what the engine decides and forwards the
// user's keys, the buttons and the countdown timer to it.
class TTest : public QWidget, private PracticeView {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 588;
    static constexpr int kClientHeight = 352;
    // Where the right-aligned problem line ends, next to the answer field.
    static constexpr int kProblemRightEdge = 316;

    // The settings are read at every round start; the recorder, if any, is told the answers of
    // rounds that record, the problem source, if any, plans the rounds of "Gezielt üben", and the
    // round observer, if any, is told when each round starts and ends. All four outlive the
    // window.
    TTest(QWidget* parent, const SettingsSource& settings, AnswerRecorder* recorder,
          ProblemSource* problems = nullptr, RoundObserver* rounds = nullptr);

    // Start from the menu: a hidden window is shown and starts a round, an open one is only
    // brought to the front.
    void ShowFromMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateProblemControls();
    void CreateResultControls();
    void CreateButtons();
    void CreateTimers();

    void FormShow();
    void Button1Click();
    void Button2Click();
    void Timer1Timer();
    void Timer2Timer();
    // Returns true when the key was consumed.
    bool UserinKeyPress(const QKeyEvent& event);
    // The key the engine leaves of a typed character: itself, a backspace or none (0).
    char32_t Filtered(char32_t typed);
    // What a key does to the answer field when the field itself does not get to handle it.
    void TypeIntoUserin(char32_t key);

    QLabel* LabelFor(PracticeControl control) const;
    QWidget* WidgetFor(PracticeControl control) const;
    void RestartTimer();

    // PracticeView
    void SetVisible(PracticeControl control, bool visible) override;
    void SetText(PracticeControl control, const std::string& text) override;
    std::string UserinText() const override;
    void FocusUserin() override;
    void SetSegmentVisible(int tag, bool visible) override;
    void SetTimerInterval(int milliseconds) override;
    void SetTimerEnabled(bool enabled) override;
    void ShowMessage(const std::string& text) override;
    void ShowCorrection(const std::string& product, const std::string& spoken) override;
    void HideCorrection() override;
    void SetCorrectionTimer(int milliseconds) override;

    SvgPicture* image1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLineEdit* userin_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    SvgPicture* image2_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QTimer* timer1_ = nullptr;
    // Ends the correction after a mistake.
    QTimer* timer2_ = nullptr;
    TimeBar* timeBar_ = nullptr;
    int timerInterval_ = 0;
    bool timerEnabled_ = false;

    PracticeEngine engine_;
};
