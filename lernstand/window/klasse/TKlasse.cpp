#include "lernstand/window/klasse/TKlasse.h"

#include "common/ui/CreateLabel.h"
#include "common/ui/ElidedLabel.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "common/ui/MessageBoxes.h"
#include "common/ui/PlainText.h"
#include "common/ui/WindowPlacement.h"
#include "lernstand/window/FactView.h"
#include "lernstand/window/LernstandFont.h"
#include "lernstand/window/SaveFile.h"
#include "lernstand/window/WorksheetPainter.h"
#include "lernstand/window/klasse/AssignmentDialog.h"
#include "lernstand/window/klasse/ClassFactDelegate.h"
#include "lernstand/window/klasse/ClassTableModel.h"
#include "lernstand/window/klasse/PupilTableModel.h"

#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

namespace {

constexpr QSize kStartSize(1000, 620);
constexpr int kTitlePixels = 18;

QLabel* CreateCaption(QWidget* parent, const QString& text) {
    auto* caption =
        CreateLabel(parent, QStringLiteral("Caption"), SansSerifFont(kTitlePixels, true));
    SetPlainText(*caption, text);
    return caption;
}

} // namespace

TKlasse::TKlasse(std::filesystem::path folder, std::chrono::milliseconds threshold,
                 RowSwitches rows, QWidget* parent)
    : QMainWindow(parent)
    , engine_(*this, {std::move(folder), threshold, rows, GuardedCallsOn(this)}) {
    setObjectName(QStringLiteral("TKlasse"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(SansSerifFont(kLernstandFontPixels));

    facts_ = new ClassTableModel(this);
    factTable_ = CreateFactView(this, QStringLiteral("ClassTable"),
                                QStringLiteral("Einmaleins-Tafel der Klasse"), facts_,
                                new ClassFactDelegate);
    auto* factColumn = new QWidget(this);
    auto* factLayout = new QVBoxLayout(factColumn);
    factLayout->setContentsMargins(0, 0, 0, 0);
    factLayout->addWidget(CreateCaption(factColumn, QStringLiteral("Wie viele Kinder üben "
                                                                   "welche Aufgabe")));
    factLayout->addWidget(factTable_, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(BuildPupils());
    splitter->addWidget(factColumn);
    splitter->setSizes({kStartSize.width() * 3 / 5, kStartSize.width() * 2 / 5});

    look_ = new QTimer(this);
    look_->setObjectName(QStringLiteral("Look"));
    connect(look_, &QTimer::timeout, this,
            [this] { RunGuarded([this] { engine_.TimeToLook(); }); });

    status_ = CreateLabel<ElidedLabel>(this, QStringLiteral("Status"));
    // Stands below the status line only while an assignment is in force.
    assignments_ = CreateLabel<ElidedLabel>(this, QStringLiteral("Assignments"));
    assignments_->hide();
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setAccessibleName(QStringLiteral("Gelesene Lernstände"));
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    connect(cancel_, &QPushButton::clicked, this, [this] { engine_.CancelClicked(); });
    auto* statusLine = new QHBoxLayout;
    statusLine->addWidget(status_, 1);
    statusLine->addWidget(progress_);
    statusLine->addWidget(cancel_);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(statusLine);
    layout->addWidget(assignments_);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    CreateMenu();
    resize(kStartSize);
    CenterOnScreen(this);

    engine_.Start();
}

QWidget* TKlasse::BuildPupils() {
    auto* column = new QWidget(this);
    pupils_ = new PupilTableModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(pupils_);
    sorted_->setSortRole(PupilTableModel::kSortRole);
    sorted_->setSortLocaleAware(true);
    pupilTable_ = new QTableView(column);
    pupilTable_->setObjectName(QStringLiteral("PupilTable"));
    pupilTable_->setAccessibleName(QStringLiteral("Kinder der Klasse"));
    pupilTable_->setModel(sorted_);
    ShowPlainToolTips(*pupilTable_);
    pupilTable_->setSortingEnabled(true);
    pupilTable_->sortByColumn(0, Qt::AscendingOrder);
    pupilTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Some pupils chosen get an assignment of their own; none chosen, the whole class.
    pupilTable_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    pupilTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pupilTable_->setTabKeyNavigation(false);
    pupilTable_->verticalHeader()->hide();
    pupilTable_->verticalHeader()->setDefaultSectionSize(pupilTable_->fontMetrics().height() + 8);
    pupilTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pupilTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(pupilTable_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        // A click with Ctrl or Shift chooses pupils for an assignment.
        if ((QApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) == 0) {
            PupilClicked(index);
        }
    });
    connect(pupilTable_, &QTableView::activated, this, &TKlasse::PupilClicked);

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CreateCaption(column, QStringLiteral("Kinder")));
    layout->addWidget(pupilTable_, 1);
    return column;
}

void TKlasse::CreateMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Datei"));
    menu->setObjectName(QStringLiteral("ClassMenu"));
    menu->addAction(QStringLiteral("&Arbeitsblätter für die Klasse…"), this,
                    &TKlasse::WorksheetsClick);
    menu->addAction(QStringLiteral("&Drucken…"), this, &TKlasse::PrintClick)
        ->setShortcut(QKeySequence::Print);
    menu->addAction(QStringLiteral("&Klassenliste speichern…"), this, &TKlasse::ListClick)
        ->setObjectName(QStringLiteral("ClassList"));
    menu->addSeparator();
    give_ = menu->addAction(QStringLiteral("Auftrag &geben…"), this, &TKlasse::GiveClick);
    give_->setObjectName(QStringLiteral("GiveAssignment"));
    takeBack_ =
        menu->addAction(QStringLiteral("Auftrag &zurücknehmen"), this, &TKlasse::TakeBackClick);
    takeBack_->setObjectName(QStringLiteral("TakeBackAssignment"));
    // Also at hand on the chosen pupils.
    pupilTable_->addActions({give_, takeBack_});
    pupilTable_->setContextMenuPolicy(Qt::ActionsContextMenu);
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Schließen"), this, &QWidget::close)
        ->setShortcut(QKeySequence::Close);
}

void TKlasse::PupilClicked(const QModelIndex& index) {
    const QModelIndex pupil = sorted_->mapToSource(index);
    if (pupil.isValid()) {
        engine_.PupilClicked(static_cast<std::size_t>(pupil.row()));
    }
}

std::vector<std::size_t> TKlasse::ChosenPupils() const {
    QModelIndexList rows = pupilTable_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& one, const QModelIndex& other) {
        return one.row() < other.row();
    });
    std::vector<std::size_t> pupils;
    for (const QModelIndex& row : rows) {
        pupils.push_back(static_cast<std::size_t>(sorted_->mapToSource(row).row()));
    }
    return pupils;
}

void TKlasse::GiveClick() {
    RunGuarded([this] { engine_.GiveAssignmentClicked(ChosenPupils()); });
}

void TKlasse::TakeBackClick() {
    RunGuarded([this] { engine_.TakeBackClicked(ChosenPupils()); });
}

void TKlasse::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FollowWhileSeen();
}

void TKlasse::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    FollowWhileSeen();
}

void TKlasse::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        FollowWhileSeen();
    }
}

void TKlasse::FollowWhileSeen() {
    const bool seen = following_ && isVisible() && !isMinimized();
    if (seen && !look_->isActive()) {
        look_->start();
        // Back from being hidden: what changed meanwhile shows at once.
        RunGuarded([this] { engine_.TimeToLook(); });
    } else if (!seen) {
        look_->stop();
    }
}

void TKlasse::WorksheetsClick() {
    RunGuarded([this] {
        AskAndSave(
            this, QStringLiteral("Arbeitsblätter für die Klasse speichern"),
            QStringLiteral("Arbeitsblaetter-Klasse"), SavedKind::Pdf,
            [this](const QString& fileName) { return WriteWorksheetPdf(fileName, ClassSheets()); });
    });
}

std::vector<WorksheetPage> TKlasse::ClassSheets() const {
    // Shuffled anew each time, as a child's own worksheet is.
    return ClassWorksheetPages(engine_.Worksheets(std::random_device()()));
}

void TKlasse::PrintClick() {
    RunGuarded([this] { PrintWorksheet(this, ClassSheets()); });
}

void TKlasse::ListClick() {
    RunGuarded([this] {
        // The pupils as the teacher sorted the table.
        std::vector<std::size_t> shownOrder;
        for (int row = 0; row < sorted_->rowCount(); ++row) {
            shownOrder.push_back(
                static_cast<std::size_t>(sorted_->mapToSource(sorted_->index(row, 0)).row()));
        }
        AskAndSave(this, QStringLiteral("Klassenliste speichern"), QStringLiteral("Klassenliste"),
                   SavedKind::Csv, [this, &shownOrder](const QString& fileName) {
                       return SaveFileBytes(fileName, engine_.ClassList(shownOrder));
                   });
    });
}

void TKlasse::ShowTitle(const std::string& title) {
    SetPlainWindowTitle(*this, QString::fromStdString(title));
}

void TKlasse::ShowStatus(const std::string& text) {
    status_->ShowText(QString::fromStdString(text));
}

void TKlasse::ShowProgress(std::size_t read, std::size_t files) {
    progress_->setRange(0, static_cast<int>(files));
    progress_->setValue(static_cast<int>(read));
}

void TKlasse::EndProgress() {
    progress_->hide();
    cancel_->hide();
}

void TKlasse::ShowOverview(std::shared_ptr<const ClassOverview> overview) {
    facts_->SetFacts(overview->facts);
    pupils_->SetOverview(std::move(overview));
}

void TKlasse::ShowPupil(const std::filesystem::path& journal) {
    emit PupilChosen(journal);
}

void TKlasse::LookEvery(std::chrono::seconds interval) {
    look_->setInterval(interval);
    following_ = true;
    // The class was just read: the first look comes an interval later.
    look_->start();
    FollowWhileSeen();
}

void TKlasse::ShowAssignments(const std::string& classLine,
                              const std::map<std::filesystem::path, std::string>& pupils) {
    assignments_->ShowText(QString::fromStdString(classLine));
    assignments_->setVisible(!classLine.empty());
    pupils_->SetOwnAssignments(pupils);
}

void TKlasse::EnableAssignments(bool enabled) {
    give_->setEnabled(enabled);
    takeBack_->setEnabled(enabled);
}

std::optional<Assignment> TKlasse::AskAssignment(const std::string& heading,
                                                 const Assignment& shown) {
    AssignmentDialog dialog(this, QString::fromStdString(heading), shown);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Chosen();
}

bool TKlasse::ConfirmTakeBack(const std::string& question) {
    return AskYesNo(this, QString::fromStdString(question));
}

void TKlasse::ShowMessage(const std::string& text) {
    ShowPlainMessage(this, QString::fromStdString(text));
}

void TKlasse::ShowWarning(const std::string& text) {
    ShowWarningBox(this, QString::fromStdString(text));
}
