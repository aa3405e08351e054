#include "app/ApplicationIcon.h"
#include "app/EarlyStart.h"
#include "app/MainWindowFirst.h"
#include "app/ProgramWindows.h"
#include "common/ui/ApplicationSetup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    EarlyStart early;
    QApplication application(argc, argv);
    early.Finish();
    ConfigureApplication();
    // The main window is on screen before the hidden windows are built and the icon is drawn.
    ProgramWindows windows(ShowUntilPainted);
    InstallApplicationIcon();
    return QApplication::exec();
}
