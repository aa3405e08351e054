#pragma once

#include "common/ApplicationTitle.h"

#include <QString>

// "Reihenheld", for the windows.
inline QString ProductName() {
    return QString::fromUtf8(kProductName.data(), static_cast<qsizetype>(kProductName.size()));
}
