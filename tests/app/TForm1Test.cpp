#include "app/TForm1.h"

#include "app/FileVersion.h"
#include "common/ui/ApplicationSetup.h"
#include "common/ui/ErrorHandler.h"
#include "practice/window/TTest.h"
#include "settings/dialog/TConfig.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/UiTexts.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <optional>
#include <stdexcept>

namespace {

QString Describe(const QAction* action) {
    if (action->isSeparator()) {
        return QStringLiteral("-");
    }
    const QString shortcut = action->shortcut().toString();
    return shortcut.isEmpty() ? action->text() : action->text() + QLatin1Char('\t') + shortcut;
}

// The window a window belongs to for the window manager (WM_TRANSIENT_FOR on X11), which keeps it
// off the task bar. The X11 platform tells it for dialog-type windows only.
const QWindow* Owner(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle->type() == Qt::Dialog ? handle->transientParent() : nullptr;
}

} // namespace

class TForm1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigureApplication(); }
    void init();
    void cleanup();

    void buildsItsWindowsAfterItselfInOrder();
    void captionAndClientAreaAsDesigned();
    void menuHasItsItemsInOrder();
    void f2OpensTheChalkboardWithItsFirstProblem();
    void f2FromTheChalkboardKeepsTheRound();
    void f2FromTheSettingsDialogOpensTheChalkboard();
    void f1OpensTheAboutBoxAndBlocksF2();
    void shortcutsDoNothingWhileAMessageBoxIsOpen();
    void einstellungenOpensTheSettingsDialog();
    void secondaryWindowsBelongToTheMainWindow();
    void closingTheMainWindowEndsTheProgram();
    void beendenEndsTheProgram();

private:
    TForm1& Form1() const { return *form1_; }
    TConfig& Config() const { return *form1_->findChild<TConfig*>(); }
    TTest& Test() const { return *form1_->findChild<TTest*>(); }
    QAction* Action(const char* name) const {
        return form1_->findChild<QAction*>(QString::fromLatin1(name));
    }
    template <typename T> T* OnBoard(const char* name) const {
        return Test().findChild<T*>(QString::fromLatin1(name));
    }
    // Runs the event loop until the program quits; false when it did not within two seconds.
    static bool ProgramEndsAfter(const std::function<void()>& action);

    InMemorySettings settings_;
    std::unique_ptr<TForm1> form1_;
};

void TForm1Test::init() {
    settings_ = {};
    form1_ = std::make_unique<TForm1>(settings_, nullptr, nullptr);
    form1_->show();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
}

void TForm1Test::cleanup() {
    form1_.reset();
}

bool TForm1Test::ProgramEndsAfter(const std::function<void()>& action) {
    bool timedOut = false;
    QTimer::singleShot(0, action);
    QTimer::singleShot(2000, [&] {
        timedOut = true;
        QApplication::quit();
    });
    QApplication::exec();
    return !timedOut;
}

// Built with the main window, so no menu command can reach a window that does not exist yet.
void TForm1Test::buildsItsWindowsAfterItselfInOrder() {
    const TForm1 form1(settings_, nullptr, nullptr);
    QStringList windows;
    for (const QWidget* child : form1.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) {
            windows << QString::fromLatin1(child->metaObject()->className());
        }
    }
    QCOMPARE(windows, (QStringList{QStringLiteral("TConfig"), QStringLiteral("TTest")}));
}

void TForm1Test::captionAndClientAreaAsDesigned() {
    QCOMPARE(FileVersionText(), QStringLiteral("1.1"));
    QCOMPARE(Form1().windowTitle(), QStringLiteral("Reihenheld 1.1"));
    QCOMPARE(Form1().centralWidget()->size(), QSize(420, 250));
    QVERIFY(!Test().isVisible());
    QVERIFY(!Config().isVisible());
    QVERIFY(!(Form1().windowFlags() & Qt::WindowMaximizeButtonHint));
}

void TForm1Test::menuHasItsItemsInOrder() {
    QStringList bar;
    for (const QAction* action : Form1().menuBar()->actions()) {
        bar << Describe(action);
    }
    QCOMPARE(bar, (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Info\tF1")}));

    QStringList datei;
    for (const QAction* action : Form1().menuBar()->actions().constFirst()->menu()->actions()) {
        datei << Describe(action);
    }
    QCOMPARE(datei, (QStringList{QStringLiteral("&Start\tF2"), QStringLiteral("&Einstellungen"),
                                 QStringLiteral("-"), QStringLiteral("B&eenden")}));
}

void TForm1Test::f2OpensTheChalkboardWithItsFirstProblem() {
    QTest::keyClick(&Form1(), Qt::Key_F2);

    QVERIFY(Test().isVisible());
    QCOMPARE(Test().windowTitle(), QStringLiteral("Test"));
    QCOMPARE(OnBoard<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 1 von 10"));
    QVERIFY(OnBoard<QLabel>("Label1")->isVisible());
    QVERIFY(!OnBoard<QLabel>("Label1")->text().isEmpty());
}

void TForm1Test::f2FromTheChalkboardKeepsTheRound() {
    QTest::keyClick(&Form1(), Qt::Key_F2);
    QVERIFY(QTest::qWaitForWindowActive(&Test()));
    auto* userin = OnBoard<QLineEdit>("Userin");
    QTest::keyClick(userin, Qt::Key_Return);
    QCOMPARE(OnBoard<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 2 von 10"));

    QTest::keyClick(userin, Qt::Key_F2);
    QCOMPARE(OnBoard<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 2 von 10"));
    QCOMPARE(OnBoard<QLabel>("Label3")->text(), QStringLiteral("1 Falsch"));

    QString openedFromBoard;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        QVERIFY(about != nullptr);
        openedFromBoard = about->windowTitle();
        about->close();
    });
    QTest::keyClick(userin, Qt::Key_F1);
    QCOMPARE(openedFromBoard, QStringLiteral("Info"));
}

void TForm1Test::f2FromTheSettingsDialogOpensTheChalkboard() {
    Action("Einstellungen1")->trigger();
    QVERIFY(QTest::qWaitForWindowActive(&Config()));
    QTest::keyClick(&Config(), Qt::Key_F2);
    QVERIFY(Test().isVisible());
    QCOMPARE(OnBoard<QLabel>("Label4")->text(), QStringLiteral("Aufgabe 1 von 10"));
}

void TForm1Test::f1OpensTheAboutBoxAndBlocksF2() {
    QString aboutTitle;
    bool chalkboardShown = true;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        QVERIFY(about != nullptr);
        aboutTitle = about->windowTitle();
        QTest::keyClick(about, Qt::Key_F2);
        chalkboardShown = Test().isVisible();
        about->close();
    });
    QTest::keyClick(&Form1(), Qt::Key_F1);

    QCOMPARE(aboutTitle, QStringLiteral("Info"));
    QVERIFY(!chalkboardShown);
}

void TForm1Test::shortcutsDoNothingWhileAMessageBoxIsOpen() {
    QTest::keyClick(&Form1(), Qt::Key_F2);
    QVERIFY(QTest::qWaitForWindowActive(&Test()));
    QSignalSpy starts(Action("Start1"), &QAction::triggered);
    QSignalSpy infos(Action("Info1"), &QAction::triggered);
    ModalBoxWatcher boxes;
    boxes.SetWhileOpen([&] {
        QWidget* box = QApplication::activeModalWidget();
        // Should a key wrongly open the about box, it is closed again, so that the test fails
        // instead of waiting for it.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [box] {
            if (QWidget* other = QApplication::activeModalWidget();
                other != nullptr && other != box) {
                other->close();
            }
        });
        closer.start(50);
        QTest::keyClick(box, Qt::Key_F1);
        QTest::keyClick(box, Qt::Key_F2);
    });
    QTest::keyClick(OnBoard<QLineEdit>("Userin"), Qt::Key_A);

    QCOMPARE(boxes.Texts(), QStringList{QString::fromStdString(ui_texts::kNotANumber)});
    QCOMPARE(infos.count(), 0);
    QCOMPARE(starts.count(), 0);
}

void TForm1Test::einstellungenOpensTheSettingsDialog() {
    Action("Einstellungen1")->trigger();
    QVERIFY(Config().isVisible());
    QCOMPARE(Config().windowTitle(), QStringLiteral("Einstellungen"));
    QVERIFY(!Config().isModal());
}

// The error box is raised while none of the program's windows is active.
void TForm1Test::secondaryWindowsBelongToTheMainWindow() {
    QList<const QWindow*> owners;
    ModalBoxWatcher boxes;
    boxes.SetWhileOpen([&] { owners.append(Owner(QApplication::activeModalWidget())); });

    QTest::keyClick(&Form1(), Qt::Key_F2);
    owners.append(Owner(&Test()));
    Action("Einstellungen1")->trigger();
    owners.append(Owner(&Config()));
    QApplication::setActiveWindow(nullptr);
    RunGuarded([] { throw std::runtime_error("Fehler"); });

    QCOMPARE(owners, QList<const QWindow*>(3, Form1().windowHandle()));
}

void TForm1Test::closingTheMainWindowEndsTheProgram() {
    QTest::keyClick(&Form1(), Qt::Key_F2);
    QVERIFY(Test().isVisible());
    QVERIFY(ProgramEndsAfter([this] { Form1().close(); }));
}

void TForm1Test::beendenEndsTheProgram() {
    QTest::keyClick(&Form1(), Qt::Key_F2);
    QVERIFY(ProgramEndsAfter([this] { Action("Beenden1")->trigger(); }));
}

QTEST_MAIN(TForm1Test)
#include "TForm1Test.moc"
