#include "common/ui/ApplicationSetup.h"

#include "common/ui/MessageBoxes.h"
#include "common/ui/QtTranslations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStyleHints>

void ConfigureApplication(const ApplicationIdentity& identity) {
    // Only the name: a display name would be appended to every window caption.
    QApplication::setApplicationName(identity.name);
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(identity.desktopFileName);
    // The menu belongs inside the main window; asking the desktop for a global menu bar would
    // also cost a session-bus connection at start-up.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The program speaks German on every desktop, so Qt's own texts (the answer field's context
    // menu among them) do too; without the translation installed they stay English.
    InstallQtGermanTexts(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    InstallFontSubstitutes();
    KeepEveryMessageBoxPlain();
    QApplication::setFont(SansSerifFont(identity.fontPixels));
    // A steady caret: a blinking one would wake the program twice a second while a child thinks.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}
