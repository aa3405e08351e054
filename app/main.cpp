#include "app/ApplicationIcon.h"
#include "app/TForm1.h"
#include "common/ui/ApplicationSetup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ConfigureApplication();
    // Shows itself as soon as it can be painted, before it builds its hidden windows.
    TForm1 window;
    InstallApplicationIcon();
    return QApplication::exec();
}
