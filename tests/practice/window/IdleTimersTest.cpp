#include "common/ui/ApplicationSetup.h"
#include "practice/window/TTest.h"
#include "tests/support/InMemorySettings.h"

#include <QAbstractEventDispatcher>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

// While the chalkboard waits for nothing but the child, no timer of it may run: each would wake
// the program again and again, the caret's blinking included.
class IdleTimersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigureApplication(); }
    void nothingTicksWhileTheBoardWaits_data();
    void nothingTicksWhileTheBoardWaits();
};

void IdleTimersTest::nothingTicksWhileTheBoardWaits_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("closeWindow");

    QTest::newRow("untimed problem") << "Menge=3\nTimer=off\n" << false;
    QTest::newRow("round over") << "Menge=0\nZeit=1\nTimer=on\n" << false;
    QTest::newRow("closed while timed") << "Menge=3\nZeit=1\nTimer=on\n" << true;
}

void IdleTimersTest::nothingTicksWhileTheBoardWaits() {
    QFETCH(QString, settings);
    QFETCH(bool, closeWindow);
    InMemorySettings stored;
    stored.ini = "[Vorgaben]\n" + settings.toStdString();
    TTest window(nullptr, stored, nullptr);
    window.ShowFromMenu();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.findChild<QLineEdit*>(QStringLiteral("Userin")), Qt::Key_7);
    if (closeWindow) {
        window.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    }

    QList<QObject*> objects = window.findChildren<QObject*>();
    objects << &window;
    for (QObject* object : objects) {
        const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(object);
        QVERIFY2(timers.isEmpty(), object->metaObject()->className());
    }
}

QTEST_MAIN(IdleTimersTest)
#include "IdleTimersTest.moc"
