#include "common/ui/ApplicationSetup.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "journal/JournalLocation.h"
#include "lernstand/TLernstand.h"
#include "lernstand/core/JournalLook.h"

#include <QApplication>

#include <exception>
#include <filesystem>
#include <future>
#include <string>
#include <utility>

int main(int argc, char* argv[]) {
    // A big journal is read while the toolkit connects to the display and the window is built.
    std::filesystem::path journal;
    std::future<JournalLook> firstLook;
    std::string noJournal;
    try {
        journal = JournalPath();
        firstLook = std::async(std::launch::async, LookAtJournal, journal);
    } catch (const std::exception& error) {
        noJournal = error.what();
    }
    QApplication application(argc, argv);
    ConfigureApplication();
    // The desktop matches this window to its own menu entry, not to the drill's: by the entry's
    // name, and on X11 by the window class, which Qt takes from the application name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.reihenheld.Kalkuno.Lernstand"));
    QApplication::setApplicationName(QStringLiteral("Kalkuno-Lernstand"));
    // Grown-ups read this window at a distance: its message boxes and tooltips get its type size.
    QApplication::setFont(SansSerifFont(TLernstand::kFontPixels));
    if (!firstLook.valid()) {
        ShowApplicationError(QString::fromStdString(noJournal));
        return 1;
    }
    TLernstand window(journal, std::move(firstLook));
    window.show();
    return QApplication::exec();
}
