#include "common/ui/ApplicationSetup.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "journal/JournalLocation.h"
#include "lernstand/TLernstand.h"

#include <QApplication>

#include <exception>
#include <filesystem>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ConfigureApplication();
    // The desktop matches this window to its own menu entry, not to the drill's: by the entry's
    // name, and on X11 by the window class, which Qt takes from the application name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.reihenheld.Kalkuno.Lernstand"));
    QApplication::setApplicationName(QStringLiteral("Kalkuno-Lernstand"));
    // Grown-ups read this window at a distance: its message boxes and tooltips get its type size.
    QApplication::setFont(SansSerifFont(TLernstand::kFontPixels));
    std::filesystem::path journal;
    try {
        journal = JournalPath();
    } catch (const std::exception& error) {
        ShowApplicationError(QString::fromUtf8(error.what()));
        return 1;
    }
    TLernstand window(journal);
    window.show();
    return QApplication::exec();
}
