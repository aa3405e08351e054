#pragma once

#include "common/ui/Fonts.h"
#include "common/ui/ProductName.h"

#include <QString>

// Which program starts. The desktop matches its windows to its own menu entry by the entry's
// name, and on X11 by the window class, which Qt takes from the application name.
struct ApplicationIdentity {
    QString name = ApplicationTitle();
    QString desktopFileName = QStringLiteral("org.reihenheld.Kalkuno");
    // Message boxes and tooltips take this type size.
    int fontPixels = kDefaultFontPixels;
};

// Names the application, installs its fonts and Qt's German texts and keeps every message box
// plain; call once, right after creating QApplication.
void ConfigureApplication(const ApplicationIdentity& identity = {});
