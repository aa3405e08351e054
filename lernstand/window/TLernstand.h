#pragma once

#include "lernstand/BackgroundJobs.h"
#include "lernstand/LernstandEngine.h"
#include "lernstand/LernstandView.h"

#include <QMainWindow>

#include <filesystem>
#include <future>
#include <thread>

class DayStrip;
class ElidedLabel;
class FactTableModel;
class JournalMenu;
class JournalWatcher;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;

// The Lernstand for parents and teachers: every fact of the twenty rows with its state, a
// summary of the journal, and the actions that turn it into practice and paper. It shows what
// its engine decides and forwards the grown-up's actions and the journal's changes to it.
class TLernstand : public QMainWindow, private LernstandView {
    Q_OBJECT

public:
    // With a first look at the journal being taken meanwhile, say on a worker thread: it is
    // waited for once the controls are built. Without one the window takes it itself.
    explicit TLernstand(LernstandServices services, QWidget* parent = nullptr);
    TLernstand(LernstandServices services, std::future<JournalLook> firstLook,
               QWidget* parent = nullptr);
    // Stops a copy still being saved, and waits for it.
    ~TLernstand() override;

    // What the program was started with: a pupil's journal, or a folder of a class's.
    void OpenArgument(const std::filesystem::path& fileOrFolder);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildHeader();
    QWidget* BuildFooter();
    void ShowCurrentFact(const QModelIndex& current);

    // LernstandView
    void ShowTitle(const std::string& title) override;
    void ShowFacts(const FactTable& facts, std::chrono::milliseconds fastBelow) override;
    void ShowThreshold(std::chrono::milliseconds threshold) override;
    void ShowRowsInForce(const RowSwitches& rows) override;
    void ShowRecording(bool on) override;
    void ShowTargeted(bool on) override;
    void ShowSwitchNote(const std::string& text) override;
    void ShowProgress(const std::optional<FactProgressTable>& progress,
                      std::chrono::sys_days today) override;
    void ShowSummary(const std::string& text, bool problem) override;
    void ShowDays(const std::vector<DayCount>& days) override;
    void ShowNothingRecorded(bool shown) override;
    void EnableActions(const LernstandActions& actions) override;
    void ShowMessage(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void ShowSettingsNotSaved() override;
    bool ConfirmDelete() override;
    void LookAgainIn(std::chrono::milliseconds delay) override;
    void Watch(const std::filesystem::path& journal, const JournalStamps& read) override;

    QWidget* BuildNameLine();
    void ShowOwner(const JournalOwner& owner) override;
    std::optional<std::filesystem::path> AskCopyTarget(const std::string& suggestedName) override;
    void RunCopy(std::function<JournalCopy()> copy) override;
    void ShowCopying(const std::string& text) override;
    bool ConfirmCloseWhileCopying() override;
    void ShowClassFolder(const std::string& text) override;
    void ShowAssignmentNote(const std::string& text) override;
    void ReadClassFolder(std::function<OwnClassFolder()> read) override;

    LernstandEngine engine_;
    FactTableModel* model_ = nullptr;
    JournalWatcher* watcher_ = nullptr;
    JournalMenu* menu_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* classFolder_ = nullptr;
    QLabel* assignmentNote_ = nullptr;
    DayStrip* strip_ = nullptr;
    QTableView* table_ = nullptr;
    QCheckBox* record_ = nullptr;
    QCheckBox* targeted_ = nullptr;
    QLabel* switchNote_ = nullptr;
    QLabel* nothingYet_ = nullptr;
    QComboBox* threshold_ = nullptr;
    QPushButton* weakRows_ = nullptr;
    QPushButton* delete_ = nullptr;
    QLineEdit* name_ = nullptr;
    ElidedLabel* copyLine_ = nullptr;
    // Reads the class folder; a share that does not answer does not hold up closing the window.
    BackgroundJobs classFolderReads_;
    // Last, so that it is waited for before anything it may hand its result to goes.
    std::jthread copier_;
};
