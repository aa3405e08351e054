#include "app/ProgramWindows.h"

#include "practice/window/TTest.h"
#include "settings/dialog/TConfig.h"

ProgramWindows::ProgramWindows()
    : config_(new TConfig(&form1_))
    , test_(new TTest(&form1_)) {
    form1_.SetWindows(config_, test_);
}
