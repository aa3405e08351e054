#pragma once

#include "facts/RowsInForce.h"
#include "lernstand/ClassEngine.h"
#include "lernstand/ClassView.h"

#include <QMainWindow>

#include <chrono>
#include <filesystem>

class ClassTableModel;
class ElidedLabel;
class PupilTableModel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// A teacher's class at once, from a folder of pupils' journals: every pupil with the figures of
// the record, and the Einmaleins-Tafel with how many pupils practise each fact. It shows what its
// engine reads and forwards the grown-up's clicks to it.
class TKlasse : public QMainWindow, private ClassView {
    Q_OBJECT

public:
    // threshold and rows are the grown-up's: how fast "sicher" is, and the rows a worksheet fills
    // up from.
    TKlasse(std::filesystem::path folder, std::chrono::milliseconds threshold, RowSwitches rows,
            QWidget* parent);

signals:
    // The grown-up chose a pupil: that pupil's own journal is to be shown.
    void PupilChosen(const std::filesystem::path& journal);

private:
    void CreateMenu();
    QWidget* BuildPupils();
    void PupilClicked(const QModelIndex& index);
    std::vector<WorksheetPage> ClassSheets() const;
    void WorksheetsClick();
    void PrintClick();
    void ListClick();

    // ClassView
    void ShowTitle(const std::string& title) override;
    void ShowStatus(const std::string& text) override;
    void ShowProgress(std::size_t read, std::size_t files) override;
    void EndProgress() override;
    void ShowOverview(std::shared_ptr<const ClassOverview> overview) override;
    void ShowPupil(const std::filesystem::path& journal) override;

    PupilTableModel* pupils_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    ClassTableModel* facts_ = nullptr;
    QTableView* pupilTable_ = nullptr;
    QTableView* factTable_ = nullptr;
    ElidedLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    // Stops its reading when the window goes.
    ClassEngine engine_;
};
