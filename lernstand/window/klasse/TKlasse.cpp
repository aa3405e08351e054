#include "lernstand/window/klasse/TKlasse.h"

#include "common/ui/CreateLabel.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "common/ui/WindowPlacement.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/window/FactView.h"
#include "lernstand/window/LernstandFont.h"
#include "lernstand/window/SaveFile.h"
#include "lernstand/window/WorksheetPainter.h"
#include "lernstand/window/klasse/ClassFactDelegate.h"
#include "lernstand/window/klasse/ClassTableModel.h"
#include "lernstand/window/klasse/PupilTableModel.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>

#include <memory>
#include <random>

namespace {

constexpr QSize kStartSize(1000, 620);
constexpr int kTitlePixels = 18;

QLabel* CreateCaption(QWidget* parent, const QString& text) {
    auto* caption = new QLabel(text, parent);
    caption->setFont(SansSerifFont(kTitlePixels, true));
    return caption;
}

} // namespace

TKlasse::TKlasse(std::filesystem::path folder, std::chrono::milliseconds threshold,
                 RowSwitches rows, QWidget* parent)
    : QMainWindow(parent)
    , folder_(std::move(folder))
    , threshold_(threshold)
    , rows_(rows) {
    setObjectName(QStringLiteral("TKlasse"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(ClassTitle(folder_)));
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

    status_ = CreateLabel(this, QStringLiteral("Status"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setAccessibleName(QStringLiteral("Gelesene Lernstände"));
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    auto* statusLine = new QHBoxLayout;
    statusLine->addWidget(status_, 1);
    statusLine->addWidget(progress_);
    statusLine->addWidget(cancel_);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(statusLine);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    CreateMenu();
    resize(kStartSize);
    CenterOnScreen(this);

    status_->setText(QString::fromStdString(ClassReadingText(0, 0)));
    const std::filesystem::path reading = folder_;
    const WallTime now = std::chrono::system_clock::now();
    reader_ = std::jthread([this, reading, now] {
        try {
            auto read = std::make_shared<ClassFolder>(ReadClassFolder(
                reading, now, cancelled_, [this](std::size_t done, std::size_t files) {
                    QMetaObject::invokeMethod(
                        this, [this, done, files] { ShowProgress(done, files); },
                        Qt::QueuedConnection);
                }));
            QMetaObject::invokeMethod(
                this, [this, read] { ShowClass(std::move(*read)); }, Qt::QueuedConnection);
        } catch (const std::exception& error) {
            const std::string reason = error.what();
            QMetaObject::invokeMethod(
                this, [this, reason] { ShowFailure(reason); }, Qt::QueuedConnection);
        }
    });
}

TKlasse::~TKlasse() {
    cancelled_ = true;
    reader_.join();
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
    pupilTable_->setSortingEnabled(true);
    pupilTable_->sortByColumn(0, Qt::AscendingOrder);
    pupilTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    pupilTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    pupilTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pupilTable_->setTabKeyNavigation(false);
    pupilTable_->verticalHeader()->hide();
    pupilTable_->verticalHeader()->setDefaultSectionSize(pupilTable_->fontMetrics().height() + 8);
    pupilTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pupilTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(pupilTable_, &QTableView::clicked, this, &TKlasse::PupilClicked);
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
    menu->addAction(QStringLiteral("&Klassenliste speichern…"), this, &TKlasse::ListClick);
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Schließen"), this, &QWidget::close)
        ->setShortcut(QKeySequence::Close);
}

void TKlasse::ShowProgress(std::size_t read, std::size_t files) {
    progress_->setRange(0, static_cast<int>(files));
    progress_->setValue(static_cast<int>(read));
    status_->setText(QString::fromStdString(ClassReadingText(read, files)));
}

void TKlasse::ShowClass(ClassFolder folder) {
    RunGuarded([this, &folder] {
        const std::size_t files = folder.pupils.size();
        facts_->SetFacts(CountClassFacts(folder.pupils, threshold_));
        pupils_->SetPupils(std::move(folder.pupils), threshold_);
        const auto counted = static_cast<std::size_t>(
            std::count_if(pupils_->Pupils().begin(), pupils_->Pupils().end(),
                          [](const PupilJournal& pupil) { return pupil.Counted(); }));
        status_->setText(QString::fromStdString(ClassReadText(counted, files, folder.cancelled)));
        progress_->hide();
        cancel_->hide();
    });
}

void TKlasse::ShowFailure(const std::string& reason) {
    status_->setText(QString::fromStdString(FolderNotReadText(folder_, reason)));
    progress_->hide();
    cancel_->hide();
}

void TKlasse::PupilClicked(const QModelIndex& index) {
    const QModelIndex pupil = sorted_->mapToSource(index);
    if (pupil.isValid()) {
        emit PupilChosen(pupils_->Pupils().at(static_cast<std::size_t>(pupil.row())).file);
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
    return ClassWorksheetPages(
        ClassWorksheets(pupils_->Pupils(), threshold_, rows_, std::random_device()()));
}

void TKlasse::PrintClick() {
    RunGuarded([this] { PrintWorksheet(this, ClassSheets()); });
}

void TKlasse::ListClick() {
    RunGuarded([this] {
        AskAndSave(this, QStringLiteral("Klassenliste speichern"), QStringLiteral("Klassenliste"),
                   SavedKind::Csv, [this](const QString& fileName) {
                       return SaveFileBytes(fileName, ClassListCsv(pupils_->Pupils(), threshold_));
                   });
    });
}
