#include "app/TForm1.h"

#include "about/ShowAbout.h"
#include "app/FileVersion.h"
#include "app/StartUpMeasures.h"
#include "common/ui/CreateLabel.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "common/ui/ProductName.h"
#include "common/ui/SvgPicture.h"
#include "common/ui/WindowPlacement.h"
#include "practice/window/TTest.h"
#include "school/AssignmentTexts.h"
#include "school/ClassFolderDrill.h"
#include "settings/dialog/TConfig.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>

namespace {

// Around the assignment's line, so that it does not touch the menu or the window's edges.
constexpr int kLineMargin = 4;

// F1 and F2 work from every window of the program, but not past a modal box.
QAction* MakeAction(const QString& name, const QString& caption, QObject* parent) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
}

} // namespace

TForm1::TForm1(WritableSettings& settings, AnswerRecorder* recorder, ProblemSource* problems,
               ClassFolderDrill* school, QWidget* parent)
    : QMainWindow(parent)
    , school_(school) {
    setObjectName(QStringLiteral("TForm1"));
    UseFixedSingleBorder(this);
    setFont(SansSerifFont(kDefaultFontPixels));

    // The assignment's line stands above the splash, hidden while there is none.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    assignmentLine_ = CreateLabel(client, QStringLiteral("AssignmentLine"));
    // The teacher's words come from the share: never markup.
    assignmentLine_->setTextFormat(Qt::PlainText);
    assignmentLine_->setContentsMargins(kLineMargin, kLineMargin, kLineMargin, kLineMargin);
    assignmentLine_->hide();
    clientLayout->addWidget(assignmentLine_);
    auto* image1 = new SvgPicture(QStringLiteral(":/assets/Splash.svg"), client);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setFixedSize(kClientWidth, kClientHeight);
    image1->RenderAhead();
    clientLayout->addWidget(image1);
    setCentralWidget(client);
    CreateMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CenterOnScreen(this);

    ShowUntilPainted(*this);
    config_ = new TConfig(this, settings);
    test_ = new TTest(this, school != nullptr ? school->RoundSettings() : settings, recorder,
                      problems, school);
    if (school_ != nullptr) {
        school_->OnChange([this] { ShowAssignment(); });
        // Once the window is on screen, so that a slow share never holds the start up.
        RunGuarded([this] { school_->Refresh(kRoundStartWait); });
        // However the program ends: by then quitting has closed the board, which ended its round.
        connect(qApp, &QCoreApplication::aboutToQuit, this,
                [this] { RunGuarded([this] { school_->Closing(); }); });
    }
}

TForm1::~TForm1() {
    if (school_ != nullptr) {
        school_->OnChange({});
    }
}

void TForm1::CreateMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* datei = bar->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("Datei1"));
    datei->menuAction()->setObjectName(QStringLiteral("Datei1"));

    QAction* start = MakeAction(QStringLiteral("Start1"), QStringLiteral("&Start"), this);
    start->setShortcut(Qt::Key_F2);
    connect(start, &QAction::triggered, this, &TForm1::Start1Click);
    datei->addAction(start);

    QAction* einstellungen =
        MakeAction(QStringLiteral("Einstellungen1"), QStringLiteral("&Einstellungen"), this);
    connect(einstellungen, &QAction::triggered, this, &TForm1::Einstellungen1Click);
    datei->addAction(einstellungen);

    datei->addSeparator()->setObjectName(QStringLiteral("N1"));

    QAction* beenden = MakeAction(QStringLiteral("Beenden1"), QStringLiteral("B&eenden"), this);
    connect(beenden, &QAction::triggered, this, &TForm1::Beenden1Click);
    datei->addAction(beenden);

    QAction* info = MakeAction(QStringLiteral("Info1"), QStringLiteral("&Info"), this);
    info->setShortcut(Qt::Key_F1);
    connect(info, &QAction::triggered, this, &TForm1::Info1Click);
    bar->addAction(info);
}

void TForm1::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void TForm1::FormShow() {
    setWindowTitle(ProductName() + u' ' + FileVersionText());
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}

void TForm1::Start1Click() {
    test_->ShowFromMenu();
}

void TForm1::Einstellungen1Click() {
    config_->ShowFromMenu();
}

void TForm1::Beenden1Click() {
    QApplication::quit();
}

void TForm1::ShowAssignment() {
    const Assignment& assignment = school_->InForce();
    const QString line = QString::fromStdString(AssignmentLine(assignment));
    // One line: a long one is cut short on screen, and read whole to a screen reader.
    assignmentLine_->setText(assignmentLine_->fontMetrics().elidedText(
        line, Qt::ElideRight, kClientWidth - 2 * kLineMargin));
    assignmentLine_->setAccessibleName(line);
    assignmentLine_->setVisible(!line.isEmpty());
    config_->ShowAssignmentNote(QString::fromStdString(SettingsNote(assignment)));
}

void TForm1::Info1Click() {
    ShowAbout(this, QStringLiteral(" R e i h e n h e l d"));
}
