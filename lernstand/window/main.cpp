#include "common/ui/ApplicationSetup.h"
#include "common/ui/ErrorHandler.h"
#include "journal/JournalLocation.h"
#include "lernstand/JournalLook.h"
#include "lernstand/window/LernstandFont.h"
#include "lernstand/window/TLernstand.h"
#include "settings/StoredSettings.h"

#include <QApplication>
#include <QFile>

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
        firstLook = std::async(std::launch::async, LookAtJournal, journal, JournalOrigin::Own);
    } catch (const std::exception& error) {
        noJournal = error.what();
    }
    QApplication application(argc, argv);
    // Its own menu entry, not the drill's; grown-ups read it at a distance, so its type is larger.
    ConfigureApplication({QStringLiteral("Kalkuno-Lernstand"),
                          QStringLiteral("org.reihenheld.Kalkuno.Lernstand"),
                          kLernstandFontPixels});
    if (!firstLook.valid()) {
        ShowApplicationError(QString::fromStdString(noJournal));
        return 1;
    }
    StoredSettings settings;
    TLernstand window({journal, settings}, std::move(firstLook));
    window.show();
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        window.OpenArgument(QFile::encodeName(arguments.at(1)).toStdString());
    }
    return QApplication::exec();
}
