#pragma once

#include <QMainWindow>

class AnswerRecorder;
class ClassFolderDrill;
class ProblemSource;
class QAction;
class QLabel;
class TConfig;
class TTest;
class WritableSettings;

// The main window: the title splash and the menu from which everything starts. Once its own
// picture is on screen it builds the settings dialog and the practice window, which belong to it
// and live as long. With the class folder, the rounds read the settings through it, and while the
// teacher's assignment is in force a line below the menu names it. The settings, the recorder, the
// problem source and the class folder, if any, outlive it; when the program ends, the class folder
// gets its last copy.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 420;
    static constexpr int kClientHeight = 250;

    TForm1(WritableSettings& settings, AnswerRecorder* recorder, ProblemSource* problems,
           ClassFolderDrill* school = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenu();
    void FormShow();
    void Start1Click();
    void Einstellungen1Click();
    void Beenden1Click();
    void Info1Click();
    // Names the assignment in force, or hides the line and the dialog's note without one.
    void ShowAssignment();

    ClassFolderDrill* const school_;
    QLabel* assignmentLine_;
    TConfig* config_;
    TTest* test_;
};
