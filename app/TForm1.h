#pragma once

#include <QMainWindow>

class QAction;
class TConfig;
class TTest;

// The main window: the title splash and the menu from which everything starts.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 420;
    static constexpr int kClientHeight = 250;

    explicit TForm1(QWidget* parent = nullptr);

    // The windows the menu opens; they are created after the main window and owned by it.
    void SetWindows(TConfig* config, TTest* test);

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

    TConfig* config_ = nullptr;
    TTest* test_ = nullptr;
};
