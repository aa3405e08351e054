#pragma once

#include <QMainWindow>

class AnswerRecorder;
class ProblemSource;
class QAction;
class TConfig;
class TTest;
class WritableSettings;

// The main window: the title splash and the menu from which everything starts. Once its own
// picture is on screen it builds the settings dialog and the practice window, which belong to it
// and live as long. The settings, the recorder and the problem source, if any, outlive it.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 420;
    static constexpr int kClientHeight = 250;

    TForm1(WritableSettings& settings, AnswerRecorder* recorder, ProblemSource* problems,
           QWidget* parent = nullptr);

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

    TConfig* config_;
    TTest* test_;
};
