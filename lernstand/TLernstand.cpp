#include "lernstand/TLernstand.h"

#include "common/ApplicationTitle.h"
#include "common/ui/CreateLabel.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "common/ui/MessageBoxes.h"
#include "common/ui/SettingsNotSaved.h"
#include "common/ui/WindowPlacement.h"
#include "lernstand/DayStrip.h"
#include "lernstand/FactDelegate.h"
#include "lernstand/FactTableModel.h"
#include "lernstand/JournalMenu.h"
#include "lernstand/JournalWatcher.h"
#include "lernstand/QuotedFileName.h"
#include "lernstand/StateLegend.h"
#include "lernstand/core/AnswerSummary.h"
#include "lernstand/core/FactState.h"
#include "lernstand/core/JournalRemoval.h"
#include "lernstand/core/WeakRows.h"
#include "practice/RowsInForce.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettings.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QToolTip>

#include <chrono>
#include <exception>
#include <iterator>
#include <utility>

namespace {

using Found = JournalReading::Found;

constexpr int kTitlePixels = 20;
constexpr QSize kStartSize(980, 540);
constexpr int kMinimumRowPixels = 16;
// Another program writing the journal holds it for milliseconds; after that many tries in a row
// it counts as unreadable.
constexpr int kBusyRetryMilliseconds = 1000;
constexpr int kBusyTries = 5;

QString Quoted(const std::filesystem::path& path) {
    return QuotedFileName(QString::fromStdString(path));
}

std::string ReadSetting(const std::string& key) {
    return StoredSettings().Read(settings::kLernstandSection, key);
}

bool WriteSetting(const std::string& key, const std::string& value) {
    return ProfileWrite(settings::kFileBase, settings::kLernstandSection, key, value);
}

// A look that failed outright, say for want of memory, shows as a journal that cannot be read.
JournalLook FirstLook(std::future<JournalLook>& look) {
    try {
        return look.get();
    } catch (const std::exception& error) {
        JournalLook failed;
        failed.reading = {Found::Unreadable, {}, error.what()};
        return failed;
    }
}

bool AskToDelete(QWidget* parent) {
    QMessageBox box(QMessageBox::Question,
                    QString::fromUtf8(kApplicationTitle.data(),
                                      static_cast<qsizetype>(kApplicationTitle.size())),
                    QStringLiteral("Alle aufgezeichneten Antworten löschen?"),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("ConfirmBox"));
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace

TLernstand::TLernstand(std::filesystem::path journal, QWidget* parent)
    : TLernstand(journal, std::async(std::launch::deferred, LookAtJournal, journal), parent) {}

TLernstand::TLernstand(std::filesystem::path journal, std::future<JournalLook> firstLook,
                       QWidget* parent)
    : QMainWindow(parent)
    , ownJournal_(std::move(journal))
    , journal_(ownJournal_) {
    setObjectName(QStringLiteral("TLernstand"));
    setWindowTitle(QStringLiteral("Reihenheld Lernstand"));
    setFont(SansSerifFont(kFontPixels));

    model_ = new FactTableModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("FactTable"));
    table_->setAccessibleName(QStringLiteral("Einmaleins-Tafel"));
    table_->setModel(model_);
    table_->setItemDelegate(new FactDelegate(table_));
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab moves on to the buttons; the arrow keys walk the facts.
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setMinimumSectionSize(kMinimumRowPixels);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TLernstand::ShowCurrentFact);

    // A main window, so that screen readers announce it as a window of its own.
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(BuildHeader());
    layout->addWidget(table_, 1);
    layout->addWidget(BuildFooter());

    watcher_ = new JournalWatcher(journal_, this);
    connect(watcher_, &JournalWatcher::Changed, this, &TLernstand::Reload);
    menu_ = new JournalMenu(this, model_);
    menu_->SetJournal(journal_, foreign_);
    connect(menu_, &JournalMenu::JournalChosen, this, &TLernstand::ShowJournal);
    connect(menu_, &JournalMenu::OwnJournalChosen, this, [this] { ShowJournal(ownJournal_); });

    LoadSettings();
    RunGuarded([this, &firstLook] { ShowLook(FirstLook(firstLook)); });
    resize(kStartSize);
    CenterOnScreen(this);
}

QWidget* TLernstand::BuildHeader() {
    auto* header = new QWidget(this);
    auto* title = new QLabel(QStringLiteral("Einmaleins-Tafel"), header);
    title->setFont(SansSerifFont(kTitlePixels, true));
    summary_ = CreateLabel(header, QStringLiteral("Summary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(summary_);
    texts->addStretch();

    auto* stripCaption = new QLabel(QStringLiteral("Antworten der letzten 14 Tage"), header);
    stripCaption->setFont(SansSerifFont(kFontPixels - 2));
    strip_ = new DayStrip(header);
    strip_->setObjectName(QStringLiteral("DayStrip"));
    strip_->setFont(SansSerifFont(kFontPixels - 3));
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
    for (const int seconds : settings::kSecondsChoices) {
        threshold_->addItem(QStringLiteral("%1 s").arg(seconds));
    }
    auto* thresholdLabel =
        new QLabel(QStringLiteral("„sicher“: dreimal richtig, jedes Mal schneller als"), footer);
    thresholdLabel->setBuddy(threshold_);
    connect(threshold_, &QComboBox::activated, this, &TLernstand::ThresholdChosen);

    auto* legendLine = new QHBoxLayout;
    legendLine->addWidget(new StateLegend(footer));
    legendLine->addStretch();
    legendLine->addWidget(thresholdLabel);
    legendLine->addWidget(threshold_);

    record_ = new QCheckBox(QStringLiteral("Aufzeichnen"), footer);
    record_->setObjectName(QStringLiteral("Record"));
    connect(record_, &QCheckBox::toggled, this, &TLernstand::RecordToggled);
    nothingYet_ = new QLabel(QStringLiteral("Noch keine Antworten aufgezeichnet. Mit „Aufzeichnen“ "
                                            "merkt sich Reihenheld jede Antwort."),
                             footer);
    nothingYet_->setObjectName(QStringLiteral("NothingYet"));
    nothingYet_->setWordWrap(true);

    weakRows_ = new QPushButton(QStringLiteral("Schwache Reihen üben"), footer);
    weakRows_->setObjectName(QStringLiteral("WeakRows"));
    connect(weakRows_, &QPushButton::clicked, this, &TLernstand::WeakRowsClick);
    delete_ = new QPushButton(QStringLiteral("Lernstand löschen…"), footer);
    delete_->setObjectName(QStringLiteral("Delete"));
    connect(delete_, &QPushButton::clicked, this, &TLernstand::DeleteClick);

    for (QPushButton* button : {weakRows_, delete_}) {
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    auto* actionLine = new QHBoxLayout;
    actionLine->addWidget(record_);
    actionLine->addWidget(nothingYet_, 1);
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
    QToolTip::showText(table_->viewport()->mapToGlobal(cell.bottomLeft()),
                       current.data(Qt::ToolTipRole).toString(), table_->viewport(), cell);
}

void TLernstand::Reload() {
    RunGuarded([this] { ShowLook(LookAtJournal(journal_)); });
}

void TLernstand::ShowLook(const JournalLook& look) {
    if (look.reading.found == Found::Busy && ++busyTries_ < kBusyTries) {
        QTimer::singleShot(kBusyRetryMilliseconds, this, &TLernstand::Reload);
        return;
    }
    busyTries_ = 0;
    ShowReading(look.reading);
    RefreshRowsInForce();
    watcher_->Rewatch(look.before);
}

void TLernstand::ShowJournal(const std::filesystem::path& journal) {
    journal_ = journal;
    foreign_ = journal_ != ownJournal_;
    setWindowTitle(foreign_ ? QStringLiteral("Reihenheld Lernstand – %1 aus %2")
                                  .arg(QString::fromStdString(journal_.filename()),
                                       QDir::toNativeSeparators(
                                           QString::fromStdString(journal_.parent_path())))
                            : QStringLiteral("Reihenheld Lernstand"));
    // Someone else's journal changes neither this user's settings nor itself.
    record_->setEnabled(!foreign_);
    threshold_->setEnabled(!foreign_);
    delete watcher_;
    watcher_ = new JournalWatcher(journal_, this);
    connect(watcher_, &JournalWatcher::Changed, this, &TLernstand::Reload);
    menu_->SetJournal(journal_, foreign_);
    Reload();
}

void TLernstand::ShowReading(const JournalReading& reading) {
    found_ = reading.found;
    const JournalOverview overview = Overview(reading.answers, std::chrono::system_clock::now());
    model_->SetFacts(FactTable(reading.answers));
    strip_->SetDays(overview.recentDays);

    const bool readable = found_ == Found::Nothing || found_ == Found::Answers;
    QString summary = QString::fromStdString(SummaryText(overview.summary));
    if (found_ == Found::Newer) {
        summary = QStringLiteral("Der Lernstand %1 stammt von einer neueren Version von "
                                 "Reihenheld und kann hier nicht angezeigt werden.")
                      .arg(Quoted(journal_));
    } else if (!readable) {
        summary = QStringLiteral("Der Lernstand %1 ist beschädigt oder nicht lesbar (%2).")
                      .arg(Quoted(journal_), QString::fromStdString(reading.problem));
    }
    summary_->setText(summary);
    summary_->setStyleSheet(readable ? QString() : QStringLiteral("color: rgb(163, 18, 11);"));
    nothingYet_->setVisible(readable && reading.answers.empty() && !foreign_);
    weakRows_->setEnabled(readable && !foreign_);
    // Nothing destructive for a journal this program cannot read or that is someone else's.
    delete_->setEnabled(found_ == Found::Answers && !foreign_);
}

void TLernstand::LoadSettings() {
    const QSignalBlocker blocker(record_);
    record_->setChecked(ReadSetting(settings::kRecordKey) == settings::kOn);
    const std::chrono::milliseconds threshold =
        FluencyThreshold(ReadSetting(settings::kSecondsKey));
    const auto choices = std::begin(settings::kSecondsChoices);
    for (auto choice = choices; choice != std::end(settings::kSecondsChoices); ++choice) {
        if (std::chrono::seconds(*choice) == threshold) {
            threshold_->setCurrentIndex(static_cast<int>(choice - choices));
        }
    }
    model_->SetThreshold(threshold);
}

void TLernstand::RefreshRowsInForce() {
    model_->SetRowsInForce(RowsInForce(StoredSettings()));
}

void TLernstand::changeEvent(QEvent* event) {
    // Back from the settings dialog or a text editor: show the rows and choices stored now.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        RunGuarded([this] {
            LoadSettings();
            RefreshRowsInForce();
        });
    }
    QMainWindow::changeEvent(event);
}

void TLernstand::WeakRowsClick() {
    RunGuarded([this] {
        const WeakRowsChoice choice = PractiseWeakRows(model_->Facts(), model_->Threshold());
        RefreshRowsInForce();
        if (!choice.saved) {
            ShowSettingsNotSaved(this);
            return;
        }
        ShowPlainMessage(this, QString::fromStdString(choice.message));
    });
}

void TLernstand::RecordToggled(bool on) {
    RunGuarded([this, on] {
        if (!WriteSetting(settings::kRecordKey, settings::OnOff(on))) {
            const QSignalBlocker blocker(record_);
            record_->setChecked(!on);
            ShowSettingsNotSaved(this);
        }
    });
}

void TLernstand::ThresholdChosen(int choice) {
    RunGuarded([this, choice] {
        const int seconds = settings::kSecondsChoices[static_cast<std::size_t>(choice)];
        if (!WriteSetting(settings::kSecondsKey, std::to_string(seconds))) {
            LoadSettings();
            ShowSettingsNotSaved(this);
            return;
        }
        model_->SetThreshold(std::chrono::seconds(seconds));
    });
}

void TLernstand::DeleteClick() {
    RunGuarded([this] {
        if (!AskToDelete(this)) {
            return;
        }
        if (const std::error_code error = RemoveJournal(journal_)) {
            ShowMessageBox(this, QMessageBox::Warning,
                           QStringLiteral("Der Lernstand %1 konnte nicht gelöscht werden (%2).")
                               .arg(Quoted(journal_), QString::fromStdString(error.message())));
        }
        Reload();
    });
}
