#pragma once

#include "facts/RowsInForce.h"
#include "lernstand/ClassEngine.h"
#include "lernstand/ClassView.h"

#include <QMainWindow>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

class ClassTableModel;
class QAction;
class QTimer;
class ElidedLabel;
class PupilTableModel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// A teacher's class at once, from a folder of pupils' journals: every pupil with the figures of
// the record, and the Einmaleins-Tafel with how many pupils practise each fact. While it is shown
// it follows the folder, and it gives the chosen pupils, or the whole class, an assignment. It
// shows what its engine reads and forwards the grown-up's clicks and its timer to it.
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

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateMenu();
    QWidget* BuildPupils();
    void PupilClicked(const QModelIndex& index);
    // The selected pupils by their indexes in the overview, in the order shown.
    std::vector<std::size_t> ChosenPupils() const;
    void GiveClick();
    void TakeBackClick();
    // Looks at the folder while the engine wants it and the window can be seen.
    void FollowWhileSeen();
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
    void LookEvery(std::chrono::seconds interval) override;
    void ShowAssignments(const std::string& classLine,
                         const std::map<std::filesystem::path, std::string>& pupils) override;
    void EnableAssignments(bool enabled) override;
    std::optional<Assignment> AskAssignment(const std::string& heading,
                                            const Assignment& shown) override;
    bool ConfirmTakeBack(const std::string& question) override;
    void ShowMessage(const std::string& text) override;
    void ShowWarning(const std::string& text) override;

    PupilTableModel* pupils_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    ClassTableModel* facts_ = nullptr;
    QTableView* pupilTable_ = nullptr;
    QTableView* factTable_ = nullptr;
    ElidedLabel* status_ = nullptr;
    ElidedLabel* assignments_ = nullptr;
    QAction* give_ = nullptr;
    QAction* takeBack_ = nullptr;
    // Runs only while the engine follows the folder and the window can be seen.
    QTimer* look_ = nullptr;
    bool following_ = false;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    // Stops its reading when the window goes.
    ClassEngine engine_;
};
