#pragma once

#include <QObject>
#include <QString>

#include <filesystem>

class FactTableModel;
class QAction;
class QMainWindow;

// The Lernstand's "Datei" menu: another journal to look at, read-only, and the shown journal on
// paper (a worksheet from its weak facts) and as a spreadsheet.
class JournalMenu : public QObject {
    Q_OBJECT

public:
    JournalMenu(QMainWindow* window, const FactTableModel* model);

    // The journal the window shows now, and whether it is someone else's.
    void SetJournal(const std::filesystem::path& journal, bool foreign);

    // Shows the journal in the file when it is one, else says why not and changes nothing.
    void OpenFile(const QString& fileName);

signals:
    void JournalChosen(const std::filesystem::path& journal);
    void OwnJournalChosen();

private:
    void OpenClick();
    void WorksheetClick();
    void PrintClick();
    void TableClick();

    QMainWindow* window_;
    const FactTableModel* model_;
    std::filesystem::path journal_;
    QAction* own_ = nullptr;
};
