#include "about/ShowAbout.h"

#include "common/ui/Fonts.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

struct OpenedBox {
    bool modal = false;
    QString caption;
    QSize size;
    bool resizable = true;
    QString banner;
    int period = 0;
};

// Opens the about box over parent and records what it showed on opening; whileOpen then acts on
// the open box and must close it.
OpenedBox ShowAboutAndClose(QWidget* parent, const QString& title,
                            const std::function<void(QDialog*)>& whileOpen) {
    OpenedBox seen;
    QTimer::singleShot(0, parent, [parent, &seen, whileOpen] {
        auto* box = parent->findChild<QDialog*>();
        seen = {box == QApplication::activeModalWidget(),
                box->windowTitle(),
                box->size(),
                box->minimumSize() != box->maximumSize(),
                box->findChild<QLabel*>(QStringLiteral("Panel2"))->text(),
                box->findChild<QTimer*>(QStringLiteral("Timer1"))->interval()};
        whileOpen(box);
    });
    ShowAbout(parent, title);
    return seen;
}

void PressOk(QDialog* box) {
    QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
}

} // namespace

class ShowAboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutes(); }
    void okEndsTheModalRunAndFreesTheBox();
    void secondOpeningStartsWithAnEmptyBanner();
};

void ShowAboutTest::okEndsTheModalRunAndFreesTheBox() {
    QWidget mainWindow;
    mainWindow.show();

    const OpenedBox seen =
        ShowAboutAndClose(&mainWindow, QStringLiteral(" R e i h e n h e l d"), PressOk);

    QVERIFY(seen.modal);
    QCOMPARE(seen.caption, QStringLiteral("Info"));
    QCOMPARE(seen.size, QSize(323, 188));
    QVERIFY(!seen.resizable);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QTRY_VERIFY(mainWindow.findChildren<QDialog*>().isEmpty());
}

void ShowAboutTest::secondOpeningStartsWithAnEmptyBanner() {
    QWidget mainWindow;
    mainWindow.show();
    QString bannerWhenClosed;
    const auto typeThenClose = [&bannerWhenClosed](QDialog* box) {
        auto* timer = box->findChild<QTimer*>(QStringLiteral("Timer1"));
        for (int step = 0; step < 5; ++step) {
            QMetaObject::invokeMethod(timer, "timeout");
        }
        bannerWhenClosed = box->findChild<QLabel*>(QStringLiteral("Panel2"))->text();
        box->close();
    };

    ShowAboutAndClose(&mainWindow, QStringLiteral(" R e i h e n h e l d"), typeThenClose);
    const OpenedBox second =
        ShowAboutAndClose(&mainWindow, QStringLiteral(" R e i h e n h e l d"), PressOk);

    QCOMPARE(bannerWhenClosed, QStringLiteral(" R e "));
    QCOMPARE(second.banner, QString());
    QCOMPARE(second.period, 1000);
}

QTEST_MAIN(ShowAboutTest)
#include "ShowAboutTest.moc"
