#include "app/ProgramWindows.h"
#include "common/ui/ApplicationSetup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ConfigureApplication();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/Icon.svg")));

    ProgramWindows windows;
    windows.Form1().show();
    return QApplication::exec();
}
