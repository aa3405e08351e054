#pragma once

#include "common/ApplicationTitle.h"
#include "common/ui/Utf8Text.h"

#include <QString>

// "Reihenheld", for the windows.
inline QString ProductName() {
    return FromUtf8(kProductName);
}

// "Kalkuno", the application's name and every message box's caption.
inline QString ApplicationTitle() {
    return FromUtf8(kApplicationTitle);
}
