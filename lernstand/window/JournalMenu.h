#pragma once

#include <QObject>

#include <filesystem>

class LernstandEngine;
class QAction;
class QMainWindow;

// The Lernstand's "Datei" menu: another journal to look at, read-only, and the shown journal on
// paper (a worksheet from its weak facts), as a spreadsheet and as a copy for the teacher.
class JournalMenu : public QObject {
    Q_OBJECT

public:
    JournalMenu(QMainWindow* window, LernstandEngine& engine);

    // "Eigener Lernstand" is offered while someone else's journal is shown.
    void EnableOwnJournal(bool enabled);
    // "Für die Lehrkraft speichern…" is offered for the user's own journal once it exists.
    void EnableTeacherCopy(bool enabled);

    // Shows every pupil's journal of the folder in a window of its own; a pupil chosen there is
    // shown in the Lernstand.
    void OpenClass(const std::filesystem::path& folder);

    // Where the grown-up wants the copy for the teacher, suggested in the folder of the sticks;
    // empty when cancelled.
    QString AskTeacherCopyFile(const QString& suggestedName);

private:
    void OpenClick();
    void OwnJournalClick();
    void ClassClick();
    void WorksheetClick();
    void PrintClick();
    void TableClick();
    void TeacherCopyClick();

    QMainWindow* window_;
    LernstandEngine& engine_;
    QAction* own_ = nullptr;
    QAction* teacherCopy_ = nullptr;
};
