#pragma once

#include "facts/RowsInForce.h"
#include "lernstand/ClassFolder.h"

#include <QMainWindow>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

class ClassTableModel;
class PupilTableModel;
class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// A teacher's class at once, from a folder of pupils' journals: every pupil with the figures of
// the record, and the Einmaleins-Tafel with how many pupils practise each fact. The folder is read
// off this window's thread, only read, and the reading can be stopped.
class TKlasse : public QMainWindow {
    Q_OBJECT

public:
    // threshold and rows are the grown-up's: how fast "sicher" is, and the rows a worksheet fills
    // up from.
    TKlasse(std::filesystem::path folder, std::chrono::milliseconds threshold, RowSwitches rows,
            QWidget* parent);
    ~TKlasse() override;

signals:
    // The grown-up chose a pupil: that pupil's own journal is to be shown.
    void PupilChosen(const std::filesystem::path& journal);

private:
    void CreateMenu();
    QWidget* BuildPupils();
    void ShowProgress(std::size_t read, std::size_t files);
    void ShowClass(ClassFolder folder);
    void ShowFailure(const std::string& reason);
    void PupilClicked(const QModelIndex& index);
    std::vector<WorksheetPage> ClassSheets() const;
    void WorksheetsClick();
    void PrintClick();
    void ListClick();

    const std::filesystem::path folder_;
    const std::chrono::milliseconds threshold_;
    const RowSwitches rows_;
    PupilTableModel* pupils_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    ClassTableModel* facts_ = nullptr;
    QTableView* pupilTable_ = nullptr;
    QTableView* factTable_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::atomic<bool> cancelled_ = false;
    std::jthread reader_;
};
