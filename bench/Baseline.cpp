#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStringList>

// The yardstick: the least a Qt Widgets program does to show a window of the main window's size.
// With --menu it also gets a two-item menu bar inside the window, the least text a main window
// with a menu must lay out before it can be shown. With --size WIDTHxHEIGHT it shows a window of
// another program's size, so that the cost of its pixels is not counted against that program.
int main(int argc, char* argv[]) {
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    QSize size(420, 250);
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--size"));
        at >= 0 && at + 1 < arguments.size()) {
        const QStringList sides = arguments.at(at + 1).split(QLatin1Char('x'));
        size = QSize(sides.value(0).toInt(), sides.value(1).toInt());
    }
    QMainWindow window;
    if (arguments.contains(QStringLiteral("--menu"))) {
        window.menuBar()->addMenu(QStringLiteral("&Datei"));
        window.menuBar()->addAction(QStringLiteral("&Info"));
    }
    window.resize(size);
    window.show();
    return QApplication::exec();
}
