#pragma once

#include "app/TForm1.h"

class TConfig;
class TTest;

// The program's windows, created in the order the program needs them: the main window first,
// then the settings dialog and the practice window, which belong to it and live as long.
class ProgramWindows {
public:
    ProgramWindows();

    TForm1& Form1() { return form1_; }
    TConfig& Config() { return *config_; }
    TTest& Test() { return *test_; }

private:
    TForm1 form1_;
    TConfig* config_;
    TTest* test_;
};
