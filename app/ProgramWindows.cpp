#include "app/ProgramWindows.h"

#include "practice/window/TTest.h"
#include "settings/dialog/TConfig.h"

ProgramWindows::ProgramWindows(const std::function<void(TForm1&)>& mainWindowCreated) {
    if (mainWindowCreated) {
        mainWindowCreated(form1_);
    }
    config_ = new TConfig(&form1_);
    test_ = new TTest(&form1_);
    form1_.SetWindows(config_, test_);
}
