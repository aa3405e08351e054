#include "common/ui/ApplicationSetup.h"

#include "common/ApplicationTitle.h"
#include "common/ui/Fonts.h"

#include <QApplication>

void ConfigureApplication() {
    // Only the name: a display name would be appended to every window caption.
    QApplication::setApplicationName(
        QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
    InstallFontSubstitutes();
    QApplication::setFont(SansSerifFont(kDefaultFontPixels));
}
