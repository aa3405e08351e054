#pragma once

#include <QObject>

class LernstandEngine;
class QAction;
class QMainWindow;

// The Lernstand's "Datei" menu: another journal to look at, read-only, and the shown journal on
// paper (a worksheet from its weak facts) and as a spreadsheet.
class JournalMenu : public QObject {
    Q_OBJECT

public:
    JournalMenu(QMainWindow* window, LernstandEngine& engine);

    // "Eigener Lernstand" is offered while someone else's journal is shown.
    void EnableOwnJournal(bool enabled);

private:
    void OpenClick();
    void OwnJournalClick();
    void WorksheetClick();
    void PrintClick();
    void TableClick();

    QMainWindow* window_;
    LernstandEngine& engine_;
    QAction* own_ = nullptr;
};
