#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <cstring>

// The yardstick: the least a Qt Widgets program does to show a window of the main window's size.
// With --menu it also gets a two-item menu bar inside the window, the least text a main window
// with a menu must lay out before it can be shown.
int main(int argc, char* argv[]) {
    const bool withMenu = argc > 1 && std::strcmp(argv[1], "--menu") == 0;
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    QMainWindow window;
    if (withMenu) {
        window.menuBar()->addMenu(QStringLiteral("&Datei"));
        window.menuBar()->addAction(QStringLiteral("&Info"));
    }
    window.resize(420, 250);
    window.show();
    return QApplication::exec();
}
