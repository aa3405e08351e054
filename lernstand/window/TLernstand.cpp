#include "lernstand/window/TLernstand.h"

#include "common/ui/CreateLabel.h"
#include "common/ui/ElidedLabel.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "common/ui/MessageBoxes.h"
#include "common/ui/PlainText.h"
#include "common/ui/SettingsNotSaved.h"
#include "common/ui/WindowPlacement.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/window/DayStrip.h"
#include "lernstand/window/FactDelegate.h"
#include "lernstand/window/FactTableModel.h"
#include "lernstand/window/FactView.h"
#include "lernstand/window/JournalMenu.h"
#include "lernstand/window/JournalWatcher.h"
#include "lernstand/window/LernstandFont.h"
#include "lernstand/window/StateLegend.h"
#include "settings/SettingsSchema.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

#include <chrono>
#include <exception>
#include <iterator>
#include <utility>

namespace {

constexpr int kTitlePixels = 20;
constexpr QSize kStartSize(980, 540);

// A look that failed outright, say for want of memory, shows as a journal that cannot be read.
JournalLook FirstLook(std::future<JournalLook>& look) {
    try {
        return look.get();
    } catch (const std::exception& error) {
        JournalLook failed;
        failed.reading = {JournalReading::Found::Unreadable, error.what()};
        return failed;
    }
}

} // namespace

TLernstand::TLernstand(LernstandServices services, QWidget* parent)
    : TLernstand(
          services,
          std::async(std::launch::deferred, services.look, services.journal, JournalOrigin::Own),
          parent) {}

TLernstand::TLernstand(LernstandServices services, std::future<JournalLook> firstLook,
                       QWidget* parent)
    : QMainWindow(parent)
    , engine_(*this, std::move(services))
    , classFolderReads_(GuardedCallsOn(this)) {
    setObjectName(QStringLiteral("TLernstand"));
    setFont(SansSerifFont(kLernstandFontPixels));

    model_ = new FactTableModel(this);
    table_ = CreateFactView(this, QStringLiteral("FactTable"), QStringLiteral("Einmaleins-Tafel"),
                            model_, new FactDelegate);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TLernstand::ShowCurrentFact);

    // A main window, so that screen readers announce it as a window of its own.
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(BuildHeader());
    layout->addWidget(table_, 1);
    layout->addWidget(BuildFooter());
    menu_ = new JournalMenu(this, engine_);
    menuBar()->setCornerWidget(BuildNameLine());

    RunGuarded([this, &firstLook] { engine_.Start(FirstLook(firstLook)); });
    resize(kStartSize);
    CenterOnScreen(this);
}

TLernstand::~TLernstand() {
    engine_.StopCopy();
}

QWidget* TLernstand::BuildHeader() {
    auto* header = new QWidget(this);
    auto* title = CreateLabel(header, QStringLiteral("Title"), SansSerifFont(kTitlePixels, true));
    SetPlainText(*title, QStringLiteral("Einmaleins-Tafel"));
    summary_ = CreateLabel(header, QStringLiteral("Summary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path in a message runs past the label's edge rather than widen the window.
    summary_->setMinimumWidth(1);
    // Stands there only while the settings name a class folder.
    classFolder_ = CreateLabel(header, QStringLiteral("ClassFolder"));
    classFolder_->setWordWrap(true);
    classFolder_->setMinimumWidth(1);
    classFolder_->hide();
    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(summary_);
    texts->addWidget(classFolder_);
    texts->addStretch();

    auto* stripCaption = CreateLabel(header, QStringLiteral("StripCaption"),
                                     SansSerifFont(kLernstandFontPixels - 2));
    SetPlainText(*stripCaption, QStringLiteral("Antworten der letzten 14 Tage"));
    strip_ = new DayStrip(header);
    strip_->setObjectName(QStringLiteral("DayStrip"));
    strip_->setFont(SansSerifFont(kLernstandFontPixels - 3));
    auto* stripColumn = new QVBoxLayout;
    stripColumn->addWidget(stripCaption);
    stripColumn->addWidget(strip_);

    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(texts, 1);
    layout->addLayout(stripColumn);
    return header;
}

QWidget* TLernstand::BuildFooter() {
    auto* footer = new QWidget(this);

    threshold_ = new QComboBox(footer);
    threshold_->setObjectName(QStringLiteral("Threshold"));
    for (const int seconds : settings::kThresholdChoices) {
        threshold_->addItem(QStringLiteral("%1 s").arg(seconds));
    }
    auto* thresholdLabel = CreateLabel(footer, QStringLiteral("ThresholdCaption"));
    SetPlainText(*thresholdLabel,
                 QStringLiteral("„sicher“: dreimal richtig, jedes Mal schneller als"));
    thresholdLabel->setBuddy(threshold_);
    connect(threshold_, &QComboBox::activated, this, [this](int choice) {
        RunGuarded([this, choice] { engine_.ThresholdChosen(choice); });
    });

    auto* legendLine = new QHBoxLayout;
    legendLine->addWidget(new StateLegend(footer));
    legendLine->addStretch();
    legendLine->addWidget(thresholdLabel);
    legendLine->addWidget(threshold_);

    record_ = new QCheckBox(QStringLiteral("Aufzeichnen"), footer);
    record_->setObjectName(QStringLiteral("Record"));
    connect(record_, &QCheckBox::toggled, this,
            [this](bool on) { RunGuarded([this, on] { engine_.RecordToggled(on); }); });
    targeted_ = new QCheckBox(QStringLiteral("Gezielt üben"), footer);
    targeted_->setObjectName(QStringLiteral("Targeted"));
    SetPlainToolTip(*targeted_, QStringLiteral("Jede Runde übt die Aufgaben, die das Kind gerade "
                                               "braucht, und holt sichere in wachsendem Abstand "
                                               "zurück"));
    connect(targeted_, &QCheckBox::toggled, this,
            [this](bool on) { RunGuarded([this, on] { engine_.TargetedToggled(on); }); });
    switchNote_ = CreateLabel(footer, QStringLiteral("SwitchNote"));
    switchNote_->setWordWrap(true);
    switchNote_->hide();
    assignmentNote_ = CreateLabel(footer, QStringLiteral("AssignmentNote"));
    assignmentNote_->setWordWrap(true);
    assignmentNote_->hide();
    nothingYet_ = CreateLabel(footer, QStringLiteral("NothingYet"));
    SetPlainText(*nothingYet_, QString::fromStdString(NothingRecordedText()));
    nothingYet_->setWordWrap(true);

    weakRows_ = new QPushButton(QStringLiteral("Schwache Reihen üben"), footer);
    weakRows_->setObjectName(QStringLiteral("WeakRows"));
    connect(weakRows_, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { engine_.WeakRowsClicked(); }); });
    delete_ = new QPushButton(QStringLiteral("Lernstand löschen…"), footer);
    delete_->setObjectName(QStringLiteral("Delete"));
    connect(delete_, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { engine_.DeleteClicked(); }); });

    for (QPushButton* button : {weakRows_, delete_}) {
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    auto* actionLine = new QHBoxLayout;
    actionLine->addWidget(record_);
    actionLine->addWidget(targeted_);
    actionLine->addWidget(nothingYet_, 1);
    actionLine->addWidget(switchNote_, 1);
    actionLine->addWidget(assignmentNote_, 1);
    // Keeps the switches together at the left while nothing stands beside them.
    actionLine->addStretch();
    actionLine->addWidget(weakRows_);
    actionLine->addWidget(delete_);

    auto* layout = new QVBoxLayout(footer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(legendLine);
    layout->addLayout(actionLine);
    return footer;
}

void TLernstand::ShowCurrentFact(const QModelIndex& current) {
    // Keyboard users get the tooltip that the mouse would show.
    if (!table_->hasFocus() || !current.isValid()) {
        return;
    }
    const QRect cell = table_->visualRect(current);
    ShowPlainToolTip(table_->viewport()->mapToGlobal(cell.bottomLeft()),
                     current.data(Qt::ToolTipRole).toString(), table_->viewport(), cell);
}

void TLernstand::OpenArgument(const std::filesystem::path& fileOrFolder) {
    RunGuarded([this, &fileOrFolder] {
        std::error_code error;
        if (std::filesystem::is_directory(fileOrFolder, error)) {
            menu_->OpenClass(fileOrFolder);
        } else {
            engine_.OpenFile(fileOrFolder);
        }
    });
}

void TLernstand::changeEvent(QEvent* event) {
    // Back from the settings dialog or a text editor: show the rows and choices stored now.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        RunGuarded([this] { engine_.Activated(); });
    }
    QMainWindow::changeEvent(event);
}

void TLernstand::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    RunGuarded([this, &mayClose] { mayClose = engine_.MayClose(); });
    if (mayClose) {
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

void TLernstand::ShowTitle(const std::string& title) {
    SetPlainWindowTitle(*this, QString::fromStdString(title));
}

void TLernstand::ShowFacts(const FactTable& facts, std::chrono::milliseconds fastBelow) {
    model_->SetThreshold(fastBelow);
    model_->SetFacts(facts);
}

void TLernstand::ShowThreshold(std::chrono::milliseconds threshold) {
    const auto choices = std::begin(settings::kThresholdChoices);
    for (auto choice = choices; choice != std::end(settings::kThresholdChoices); ++choice) {
        if (std::chrono::seconds(*choice) == threshold) {
            threshold_->setCurrentIndex(static_cast<int>(choice - choices));
        }
    }
}

void TLernstand::ShowRowsInForce(const RowSwitches& rows) {
    model_->SetRowsInForce(rows);
}

void TLernstand::ShowRecording(bool on) {
    const QSignalBlocker blocker(record_);
    record_->setChecked(on);
}

void TLernstand::ShowTargeted(bool on) {
    const QSignalBlocker blocker(targeted_);
    targeted_->setChecked(on);
}

void TLernstand::ShowSwitchNote(const std::string& text) {
    SetPlainText(*switchNote_, QString::fromStdString(text));
    switchNote_->setVisible(!text.empty());
}

void TLernstand::ShowProgress(const std::optional<FactProgressTable>& progress,
                              std::chrono::sys_days today) {
    model_->SetProgress(progress, today);
}

void TLernstand::ShowSummary(const std::string& text, bool problem) {
    SetPlainText(*summary_, QString::fromStdString(text));
    summary_->setStyleSheet(problem ? QStringLiteral("color: rgb(163, 18, 11);") : QString());
}

void TLernstand::ShowDays(const std::vector<DayCount>& days) {
    strip_->SetDays(days);
}

void TLernstand::ShowNothingRecorded(bool shown) {
    nothingYet_->setVisible(shown);
}

void TLernstand::EnableActions(const LernstandActions& actions) {
    record_->setEnabled(actions.record);
    targeted_->setEnabled(actions.targeted);
    threshold_->setEnabled(actions.threshold);
    weakRows_->setEnabled(actions.weakRows);
    delete_->setEnabled(actions.remove);
    menu_->EnableOwnJournal(actions.ownJournal);
}

void TLernstand::ShowMessage(const std::string& text) {
    ShowPlainMessage(this, QString::fromStdString(text));
}

void TLernstand::ShowWarning(const std::string& text) {
    ShowWarningBox(this, QString::fromStdString(text));
}

void TLernstand::ShowSettingsNotSaved() {
    ::ShowSettingsNotSaved(this);
}

bool TLernstand::ConfirmDelete() {
    return AskYesNo(this, QStringLiteral("Alle aufgezeichneten Antworten löschen?"));
}

void TLernstand::LookAgainIn(std::chrono::milliseconds delay) {
    QTimer::singleShot(delay, this, [this] { RunGuarded([this] { engine_.Reload(); }); });
}

void TLernstand::Watch(const std::filesystem::path& journal, const JournalStamps& read) {
    if (watcher_ == nullptr || watcher_->Journal() != journal) {
        delete watcher_;
        watcher_ = new JournalWatcher(journal, this);
        connect(watcher_, &JournalWatcher::Changed, this,
                [this] { RunGuarded([this] { engine_.Reload(); }); });
        // Such as the status of the last copy handed in, beside the journal.
        connect(watcher_, &JournalWatcher::FolderChanged, this,
                [this] { RunGuarded([this] { engine_.LookAtClassFolder(); }); });
    }
    watcher_->Rewatch(read);
}

QWidget* TLernstand::BuildNameLine() {
    // Wide enough for a first and a last name at the window's type size.
    constexpr int kNamePixels = 260;
    auto* line = new QWidget(this);
    name_ = new QLineEdit(line);
    name_->setObjectName(QStringLiteral("ChildName"));
    name_->setAccessibleName(QStringLiteral("Name"));
    name_->setMaxLength(static_cast<int>(kMostNameCharacters));
    name_->setFixedWidth(kNamePixels);
    auto* label = CreateLabel(line, QStringLiteral("NameCaption"));
    SetPlainText(*label, QStringLiteral("&Name:"));
    label->setBuddy(name_);
    connect(name_, &QLineEdit::editingFinished, this,
            [this] { RunGuarded([this] { engine_.NameEdited(name_->text().toStdString()); }); });
    auto* layout = new QHBoxLayout(line);
    // Clear of the menu bar's edges, as the menu titles are.
    layout->setContentsMargins(0, 1, layout->spacing(), 1);
    layout->addWidget(label);
    layout->addWidget(name_);
    return line;
}

void TLernstand::ShowOwner(const JournalOwner& owner) {
    const QSignalBlocker blocker(name_);
    const QString shown = QString::fromStdString(ShownName(owner.name));
    // Someone else's name is only read: what does not fit ends in "…".
    SetPlainText(*name_, owner.nameEditable ? shown : ElidedForField(*name_, shown));
    name_->setPlaceholderText(QString::fromStdString(owner.placeholder));
    name_->setReadOnly(!owner.nameEditable);
    // A name that cannot be edited looks like a label, not like an empty form to fill in.
    QPalette look = palette();
    if (!owner.nameEditable) {
        look.setBrush(QPalette::Base, look.window());
    }
    name_->setPalette(look);
    menu_->EnableTeacherCopy(owner.teacherCopy);
}

std::optional<std::filesystem::path> TLernstand::AskCopyTarget(const std::string& suggestedName) {
    const QString fileName = menu_->AskTeacherCopyFile(QString::fromStdString(suggestedName));
    if (fileName.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(fileName).toStdString();
}

void TLernstand::RunCopy(std::function<JournalCopy()> copy) {
    copier_ = std::jthread([this, copy = std::move(copy)] {
        GuardedCallsOn(this)([this, made = copy()] { engine_.TeacherCopyEnded(made); });
    });
}

void TLernstand::ShowCopying(const std::string& text) {
    if (text.empty()) {
        setStatusBar(nullptr);
        copyLine_ = nullptr;
        return;
    }
    if (copyLine_ == nullptr) {
        QStatusBar* line = statusBar();
        copyLine_ = CreateLabel<ElidedLabel>(line, QStringLiteral("CopyStatus"));
        auto* progress = new QProgressBar(line);
        progress->setObjectName(QStringLiteral("CopyProgress"));
        progress->setAccessibleName(QStringLiteral("Speichern für die Lehrkraft"));
        // How far VACUUM INTO has come is not known: the bar moves while the copy runs.
        progress->setRange(0, 0);
        auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), line);
        cancel->setObjectName(QStringLiteral("CopyCancel"));
        connect(cancel, &QPushButton::clicked, this, [this, cancel] {
            cancel->setEnabled(false);
            RunGuarded([this] { engine_.CancelCopyClicked(); });
        });
        line->addWidget(copyLine_, 1);
        line->addPermanentWidget(progress);
        line->addPermanentWidget(cancel);
        // Made while the window shows, so not shown with it.
        line->show();
    }
    copyLine_->ShowText(QString::fromStdString(text));
}

bool TLernstand::ConfirmCloseWhileCopying() {
    return AskYesNo(this, QString::fromStdString(CloseWhileCopyingText()));
}

void TLernstand::ShowClassFolder(const std::string& text) {
    SetPlainText(*classFolder_, QString::fromStdString(text));
    classFolder_->setVisible(!text.empty());
}

void TLernstand::ShowAssignmentNote(const std::string& text) {
    SetPlainText(*assignmentNote_, QString::fromStdString(text));
    assignmentNote_->setVisible(!text.empty());
}

void TLernstand::ReadClassFolder(std::function<OwnClassFolder()> read) {
    classFolderReads_.Run([this, read = std::move(read)] {
        return std::function<void()>([this, read = read()] { engine_.ClassFolderRead(read); });
    });
}
