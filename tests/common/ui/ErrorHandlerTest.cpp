#include "common/ui/ErrorHandler.h"

#include "common/IntegerConversion.h"
#include "common/ui/ApplicationSetup.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QTest>

#include <stdexcept>

class ErrorHandlerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigureApplication(); }
    void fullStopFollowsCharactersAboveThePeriod_data();
    void fullStopFollowsCharactersAboveThePeriod();
    void aFailingHandlerIsReportedAndTheProgramGoesOn();
};

void ErrorHandlerTest::fullStopFollowsCharactersAboveThePeriod_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("quote") << "'12a' is not a valid integer value"
                           << "'12a' is not a valid integer value.";
    QTest::newRow("digit") << "Fehler 7"
                           << "Fehler 7.";
    QTest::newRow("umlaut") << "Datei zu groß"
                            << "Datei zu groß.";
    QTest::newRow("slash") << "Pfad /"
                           << "Pfad /.";
    QTest::newRow("period") << "Fertig."
                            << "Fertig.";
    QTest::newRow("exclamation") << "Achtung!"
                                 << "Achtung!";
    QTest::newRow("closing quote") << "Wert 'x'"
                                   << "Wert 'x'";
    QTest::newRow("hyphen") << "A-"
                            << "A-";
    QTest::newRow("blank") << "Ende "
                           << "Ende ";
    QTest::newRow("empty") << ""
                           << "";
}

void ErrorHandlerTest::fullStopFollowsCharactersAboveThePeriod() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(WithClosingFullStop(message), shown);
}

void ErrorHandlerTest::aFailingHandlerIsReportedAndTheProgramGoesOn() {
    ModalBoxWatcher boxes;
    bool afterFailure = false;
    RunGuarded([&] {
        StrToInt("12a");
        afterFailure = true;
    });
    RunGuarded([] { throw std::runtime_error("Speicher voll!"); });

    QVERIFY(!afterFailure);
    QCOMPARE(boxes.Texts(), (QStringList{QStringLiteral("'12a' is not a valid integer value."),
                                         QStringLiteral("Speicher voll!")}));
    for (const SeenMessageBox& box : boxes.Seen()) {
        QCOMPARE(box.title, QStringLiteral("Kalkuno"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttonCount, 1);
    }
}

QTEST_MAIN(ErrorHandlerTest)
#include "ErrorHandlerTest.moc"
