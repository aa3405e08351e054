#pragma once

#include "lernstand/core/JournalLook.h"

#include <QMainWindow>

#include <filesystem>
#include <future>

class DayStrip;
class FactTableModel;
class JournalMenu;
class JournalWatcher;
class QCheckBox;
class QComboBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;

// The Lernstand for parents and teachers: every fact of the twenty rows with its state, a
// summary of the journal, and the actions that turn it into practice and paper. It only reads the
// journal; it writes the settings file and, when asked, deletes the journal. Someone else's
// journal it shows read-only, with nothing offered that writes.
class TLernstand : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kFontPixels = 14;

    explicit TLernstand(std::filesystem::path journal, QWidget* parent = nullptr);
    // With a first look at the journal being taken meanwhile, say on a worker thread: it is
    // waited for once the controls are built.
    TLernstand(std::filesystem::path journal, std::future<JournalLook> firstLook,
               QWidget* parent = nullptr);

    // Reads the journal and the settings anew and shows what they hold.
    void Reload();
    // Shows another journal read-only, or the user's own one again.
    void ShowJournal(const std::filesystem::path& journal);

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* BuildHeader();
    QWidget* BuildFooter();
    void ShowLook(const JournalLook& look);
    void ShowReading(const JournalReading& reading);
    void LoadSettings();
    void RefreshRowsInForce();

    void ShowCurrentFact(const QModelIndex& current);
    void WeakRowsClick();
    void RecordToggled(bool on);
    void ThresholdChosen(int choice);
    void DeleteClick();

    const std::filesystem::path ownJournal_;
    std::filesystem::path journal_;
    bool foreign_ = false;
    JournalReading::Found found_ = JournalReading::Found::Nothing;
    int busyTries_ = 0;
    FactTableModel* model_ = nullptr;
    JournalWatcher* watcher_ = nullptr;
    JournalMenu* menu_ = nullptr;
    QLabel* summary_ = nullptr;
    DayStrip* strip_ = nullptr;
    QTableView* table_ = nullptr;
    QCheckBox* record_ = nullptr;
    QLabel* nothingYet_ = nullptr;
    QComboBox* threshold_ = nullptr;
    QPushButton* weakRows_ = nullptr;
    QPushButton* delete_ = nullptr;
};
