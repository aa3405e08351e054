#pragma once

#include "app/TForm1.h"

#include <functional>

class TConfig;
class TTest;

// The program's windows, created in the order the program needs them: the main window first,
// then the settings dialog and the practice window, which belong to it and live as long.
class ProgramWindows {
public:
    // mainWindowCreated runs between the main window and the others, e.g. to show it early.
    explicit ProgramWindows(const std::function<void(TForm1&)>& mainWindowCreated = {});

    TForm1& Form1() { return form1_; }
    TConfig& Config() { return *config_; }
    TTest& Test() { return *test_; }

private:
    TForm1 form1_;
    TConfig* config_ = nullptr;
    TTest* test_ = nullptr;
};
