#include "practice/window/TTest.h"

#include "common/ui/CreateButton.h"
#include "common/ui/CreateLabel.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "common/ui/InputMethodText.h"
#include "common/ui/MessageBoxes.h"
#include "common/ui/PaletteColor.h"
#include "common/ui/PlainText.h"
#include "common/ui/SvgPicture.h"
#include "common/ui/WindowPlacement.h"
#include "practice/window/TimeBar.h"
#include "practice/window/TypedCharacter.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <limits>

namespace {

const QString kAnswerName = QStringLiteral("Antwort");
constexpr QColor kCorrectionGreen(0, 128, 0);

QLabel* CreateBoardLabel(QWidget* parent, const QString& name, const QPoint& position,
                         int pixelSize, const QColor& color) {
    QLabel* label = CreateLabel(parent, name, SansSerifFont(pixelSize, true), color);
    label->move(position);
    label->hide();
    return label;
}

} // namespace

TTest::TTest(QWidget* parent, const SettingsSource& settings, AnswerRecorder* recorder,
             ProblemSource* problems, RoundObserver* rounds)
    : QWidget(parent)
    , engine_(*this, settings, MillisecondsSinceMidnightUtc, recorder, SteadyMilliseconds, problems,
              rounds) {
    setObjectName(QStringLiteral("TTest"));
    setWindowTitle(QStringLiteral("Test"));
    UseFixedSingleBorder(this);
    BelongToParentWindow(this);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(SansSerifFont(kDefaultFontPixels));

    // Children stack in the order they are created.
    image1_ = new SvgPicture(QStringLiteral(":/assets/Chalkboard.svg"), this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(rect());
    CreateProblemControls();
    CreateResultControls();
    CreateButtons();
    CreateTimers();
    // Last, so that the segments lie on top of the other controls.
    timeBar_ = new TimeBar(this);
    timeBar_->setGeometry(rect());
}

void TTest::CreateProblemControls() {
    label1_ = CreateBoardLabel(this, QStringLiteral("Label1"), {0, 84}, 32, Qt::white);

    userin_ = new QLineEdit(this);
    userin_->setObjectName(QStringLiteral("Userin"));
    userin_->setAccessibleName(kAnswerName);
    userin_->setGeometry(328, 76, 148, 45);
    userin_->setFont(SansSerifFont(32, true));
    userin_->setMaxLength(std::numeric_limits<int>::max());
    SetPaletteColor(*userin_, QPalette::Base, Qt::white);
    SetPaletteColor(*userin_, QPalette::Text, Qt::black);
    userin_->installEventFilter(this);
    userin_->hide();

    label4_ = CreateBoardLabel(this, QStringLiteral("Label4"), {112, 40}, 24, Qt::white);
}

void TTest::CreateResultControls() {
    label5_ = CreateBoardLabel(this, QStringLiteral("Label5"), {64, 200}, 24, Qt::white);
    label2_ = CreateBoardLabel(this, QStringLiteral("Label2"), {68, 228}, 24, QColor(0, 192, 0));
    label3_ = CreateBoardLabel(this, QStringLiteral("Label3"), {68, 264}, 24, QColor(255, 0, 0));
    image2_ = new SvgPicture(QStringLiteral(":/assets/RewardStar.svg"), this);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setAccessibleName(QStringLiteral("Stern: alle Aufgaben richtig"));
    image2_->setGeometry(200, 48, 185, 153);
    image2_->hide();
}

void TTest::CreateButtons() {
    button1_ =
        CreateButton(this, QStringLiteral("Button1"), QStringLiteral("Ende"), {456, 264, 88, 32});
    button2_ = CreateButton(this, QStringLiteral("Button2"), QStringLiteral("Noch mal..."),
                            {376, 264, 75, 33});
    button2_->hide();
    setTabOrder(button1_, userin_);
    setTabOrder(userin_, button2_);
    connect(button1_, &QPushButton::clicked, this, &TTest::Button1Click);
    connect(button2_, &QPushButton::clicked, this, &TTest::Button2Click);
}

void TTest::CreateTimers() {
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    // The coarse default may drift by 5 %; the countdown must be fair to the tenth of a second.
    timer1_->setTimerType(Qt::PreciseTimer);
    connect(timer1_, &QTimer::timeout, this, &TTest::Timer1Timer);

    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setSingleShot(true);
    connect(timer2_, &QTimer::timeout, this, &TTest::Timer2Timer);
}

void TTest::ShowFromMenu() {
    if (isVisible()) {
        if (isMinimized()) {
            showNormal();
        }
        raise();
        activateWindow();
        return;
    }
    CenterOnScreen(this);
    show();
    activateWindow();
    FormShow();
}

void TTest::FormShow() {
    RunGuarded([this] { engine_.FormShow(); });
}

void TTest::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    RunGuarded([&] { canClose = engine_.FormCloseQuery(); });
    event->setAccepted(canClose);
}

void TTest::keyPressEvent(QKeyEvent* event) {
    // Escape ends a typing check also when the focus has left the answer field.
    if (event->key() == Qt::Key_Escape) {
        RunGuarded([this] { engine_.Escape(); });
    }
    QWidget::keyPressEvent(event);
}

void TTest::Button1Click() {
    close();
}

void TTest::Button2Click() {
    FormShow();
}

void TTest::Timer1Timer() {
    RunGuarded([this] { engine_.Timer1Timer(); });
}

void TTest::Timer2Timer() {
    RunGuarded([this] { engine_.Timer2Timer(); });
}

bool TTest::eventFilter(QObject* watched, QEvent* event) {
    if (watched == userin_) {
        if (event->type() == QEvent::KeyPress) {
            return UserinKeyPress(*static_cast<QKeyEvent*>(event));
        }
        if (event->type() == QEvent::InputMethod) {
            return TypeCommittedText(*userin_, *static_cast<QInputMethodEvent*>(event),
                                     [this](char32_t typed) { TypeIntoUserin(Filtered(typed)); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TTest::UserinKeyPress(const QKeyEvent& event) {
    const std::optional<char32_t> typed = TypedCharacter(event);
    if (!typed) {
        return false;
    }
    const char32_t key = Filtered(*typed);
    if (key == *typed) {
        return false;
    }
    TypeIntoUserin(key);
    return true;
}

char32_t TTest::Filtered(char32_t typed) {
    char32_t key = typed;
    // The engine sets the key before anything can fail, so a failure still leaves it decided.
    RunGuarded([&] { engine_.UserinKeyPress(key); });
    return key;
}

void TTest::TypeIntoUserin(char32_t key) {
    if (key == PracticeEngine::kBackspace) {
        userin_->backspace();
    } else if (key != 0) {
        userin_->insert(QString::fromUcs4(&key, 1));
    }
}

QLabel* TTest::LabelFor(PracticeControl control) const {
    switch (control) {
    case PracticeControl::Label1:
        return label1_;
    case PracticeControl::Label2:
        return label2_;
    case PracticeControl::Label3:
        return label3_;
    case PracticeControl::Label4:
        return label4_;
    case PracticeControl::Label5:
        return label5_;
    default:
        return nullptr;
    }
}

QWidget* TTest::WidgetFor(PracticeControl control) const {
    switch (control) {
    case PracticeControl::Userin:
        return userin_;
    case PracticeControl::Image2:
        return image2_;
    case PracticeControl::Button2:
        return button2_;
    default:
        return LabelFor(control);
    }
}

void TTest::SetVisible(PracticeControl control, bool visible) {
    WidgetFor(control)->setVisible(visible);
}

void TTest::SetText(PracticeControl control, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (control == PracticeControl::Userin) {
        SetPlainText(*userin_, shown);
        return;
    }
    QLabel* label = LabelFor(control);
    // Only a new problem sets the problem line. QLabel reports a changed text to screen readers
    // itself; a problem that repeats the last one (a new round may start with it) is announced
    // here, so that every problem is heard.
    const bool repeated = control == PracticeControl::Label1 && label->text() == shown;
    SetPlainText(*label, shown);
    if (repeated) {
        QAccessibleEvent announcement(label, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&announcement);
    }
    label->adjustSize();
    if (control == PracticeControl::Label1) {
        // Right-aligned: short and long problems end at the same place next to the answer.
        label->move(kProblemRightEdge - label->width(), label->y());
    }
}

std::string TTest::UserinText() const {
    return userin_->text().toStdString();
}

void TTest::FocusUserin() {
    userin_->setFocus(Qt::OtherFocusReason);
}

void TTest::SetSegmentVisible(int tag, bool visible) {
    timeBar_->SetSegmentVisible(tag, visible);
}

void TTest::SetTimerInterval(int milliseconds) {
    if (milliseconds != timerInterval_) {
        timerInterval_ = milliseconds;
        RestartTimer();
    }
}

void TTest::SetTimerEnabled(bool enabled) {
    if (enabled != timerEnabled_) {
        timerEnabled_ = enabled;
        RestartTimer();
    }
}

void TTest::RestartTimer() {
    timer1_->stop();
    if (timerEnabled_ && timerInterval_ > 0) {
        timer1_->start(timerInterval_);
    }
}

void TTest::ShowMessage(const std::string& text) {
    ShowPlainMessage(this, QString::fromStdString(text));
}

void TTest::ShowCorrection(const std::string& product, const std::string& spoken) {
    userin_->setReadOnly(true);
    // Dark enough to read on the white field (5:1), like the green tally's meaning.
    SetPaletteColor(*userin_, QPalette::Text, kCorrectionGreen);
    SetPlainText(*userin_, QString::fromStdString(product));
    userin_->setAccessibleName(QString::fromStdString(spoken));
}

void TTest::HideCorrection() {
    userin_->clear();
    SetPaletteColor(*userin_, QPalette::Text, Qt::black);
    userin_->setReadOnly(false);
    userin_->setAccessibleName(kAnswerName);
}

void TTest::SetCorrectionTimer(int milliseconds) {
    timer2_->stop();
    if (milliseconds > 0) {
        timer2_->start(milliseconds);
    }
}
