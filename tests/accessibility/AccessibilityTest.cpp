#include "about/TInfoForm.h"
#include "common/ui/ApplicationSetup.h"
#include "practice/window/TTest.h"
#include "practice/window/TimeBarSegment.h"
#include "settings/dialog/TConfig.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/UiTexts.h"
#include "tests/widgetsupport/CountdownSteps.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <private/qguiapplication_p.h>
#include <string>

namespace {

struct SeenEvent {
    const QObject* object;
    QAccessible::Event type;
    QString name;
};

QList<SeenEvent>& SeenEvents() {
    static QList<SeenEvent> events;
    return events;
}

void RecordEvent(QAccessibleEvent* event) {
    QAccessibleInterface* accessible = event->accessibleInterface();
    SeenEvents().append({event->object(), event->type(),
                         accessible != nullptr ? accessible->text(QAccessible::Name) : QString()});
}

QList<SeenEvent> EventsOn(const QObject* object, QAccessible::Event type) {
    QList<SeenEvent> found;
    for (const SeenEvent& event : SeenEvents()) {
        if (event.object == object && event.type == type) {
            found.append(event);
        }
    }
    return found;
}

QAccessibleInterface* Accessible(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    if (accessible == nullptr) {
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    }
    return accessible;
}

void VerifyControl(QObject* object, QAccessible::Role role, const QString& name) {
    QAccessibleInterface* accessible = Accessible(object);
    QCOMPARE(accessible->role(), role);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

// Only row 1 on, one problem per round, no clock: every round asks "k · 1".
std::string OneRowOneProblem() {
    std::string ini = "[Vorgaben]\nMenge=1\nTimer=off\n[Aufgaben]\n";
    for (int row = 2; row <= 20; ++row) {
        ini += std::to_string(row) + "=off\n";
    }
    return ini;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

public slots:
    void CaptureUrl(const QUrl& url) { urls_.append(url); }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void boardNamesWhatItShows();
    void everyProblemIsAnnounced();
    void timeBarIsOneProgressIndicator();
    void settingsControlsCarryTheirCaptions();
    void aboutLinksAreLinksThatCanBeFollowed();

private:
    void AnswerRight();

    InMemorySettings settings_;
    std::unique_ptr<TTest> board_;
    QList<QUrl> urls_;
};

void AccessibilityTest::initTestCase() {
    ConfigureApplication();
    QAccessible::installUpdateHandler(RecordEvent);
    // Without a screen reader Qt sends no events; Qt's own accessibility tests switch them on so.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QVERIFY(QAccessible::isActive());
    for (const QString scheme : {"https", "mailto"}) {
        QDesktopServices::setUrlHandler(scheme, this, "CaptureUrl");
    }
}

void AccessibilityTest::cleanupTestCase() {
    for (const QString scheme : {"https", "mailto"}) {
        QDesktopServices::unsetUrlHandler(scheme);
    }
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    QAccessible::installUpdateHandler(nullptr);
}

void AccessibilityTest::init() {
    settings_.ini = OneRowOneProblem();
    board_ = std::make_unique<TTest>(nullptr, settings_, nullptr);
    SeenEvents().clear();
}

void AccessibilityTest::cleanup() {
    board_.reset();
}

void AccessibilityTest::AnswerRight() {
    const QString problem = board_->findChild<QLabel*>(QStringLiteral("Label1"))->text();
    auto* userin = board_->findChild<QLineEdit*>(QStringLiteral("Userin"));
    QTest::keyClicks(userin, QString::number(problem.section(QLatin1Char(' '), 0, 0).toInt()));
    QTest::keyClick(userin, Qt::Key_Return);
}

void AccessibilityTest::boardNamesWhatItShows() {
    board_->ShowFromMenu();
    const auto find = [this](const char* name) {
        return board_->findChild<QWidget*>(QString::fromLatin1(name));
    };
    VerifyControl(find("Label1"), QAccessible::StaticText,
                  find("Label1")->property("text").toString());
    VerifyControl(find("Label4"), QAccessible::StaticText, QStringLiteral("Aufgabe 1 von 1"));
    VerifyControl(find("Userin"), QAccessible::EditableText, QStringLiteral("Antwort"));
    AnswerRight();
    VerifyControl(find("Label2"), QAccessible::StaticText, QStringLiteral("1 Richtig"));
    VerifyControl(find("Label5"), QAccessible::StaticText,
                  QString::fromStdString(ui_texts::ResultLine(1)));
    VerifyControl(find("Button2"), QAccessible::Button, QStringLiteral("Noch mal..."));
    QCOMPARE(Accessible(find("Image2"))->text(QAccessible::Name),
             QStringLiteral("Stern: alle Aufgaben richtig"));
    QVERIFY(!Accessible(find("Image2"))->state().invisible);
}

void AccessibilityTest::everyProblemIsAnnounced() {
    auto* problem = board_->findChild<QLabel*>(QStringLiteral("Label1"));
    board_->ShowFromMenu();
    QString previous;
    bool sawRepeat = false;
    // With ten possible problems a round soon starts with the one the last round ended with.
    for (int round = 0; round < 200 && !sawRepeat; ++round) {
        const QList<SeenEvent> announced = EventsOn(problem, QAccessible::NameChanged);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.constFirst().name, problem->text());
        sawRepeat = problem->text() == previous;
        previous = problem->text();
        AnswerRight();
        SeenEvents().clear();
        QTest::mouseClick(board_->findChild<QPushButton*>(QStringLiteral("Button2")),
                          Qt::LeftButton);
    }
    QVERIFY(sawRepeat);
}

void AccessibilityTest::timeBarIsOneProgressIndicator() {
    QAccessibleInterface* window = Accessible(board_.get());
    QList<QAccessibleInterface*> bars;
    for (int index = 0; index < window->childCount(); ++index) {
        QAccessibleInterface* child = window->child(index);
        QVERIFY(qobject_cast<TimeBarSegment*>(child->object()) == nullptr);
        if (child->role() == QAccessible::ProgressBar) {
            bars.append(child);
        }
    }
    QCOMPARE(bars.size(), 1);
    QAccessibleInterface* bar = bars.constFirst();
    QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("Zeit"));
    QCOMPARE(bar->childCount(), 0);
    QAccessibleValueInterface* value = bar->valueInterface();
    QVERIFY(value != nullptr);
    QCOMPARE(value->maximumValue().toInt(), 20);
    // Before the first round the whole bar shows, as designed.
    QCOMPARE(value->currentValue().toInt(), 20);

    settings_.ini = "[Vorgaben]\nMenge=1\nZeit=10\nTimer=on\n";
    board_->ShowFromMenu();
    QCOMPARE(value->currentValue().toInt(), 0);
    QVERIFY(bar->state().invisible);
    QVERIFY(!EventsOn(bar->object(), QAccessible::ObjectHide).isEmpty());

    SeenEvents().clear();
    auto* third = board_->findChild<TimeBarSegment*>(QStringLiteral("Shape3"));
    QVERIFY(StepCountdown(*board_, 3));
    QVERIFY(third->isVisible());
    QVERIFY(!bar->state().invisible);
    QCOMPARE(EventsOn(bar->object(), QAccessible::ObjectShow).size(), 1);
    const QList<SeenEvent> steps = EventsOn(bar->object(), QAccessible::ValueChanged);
    QVERIFY(steps.size() >= 3);
    const QList<TimeBarSegment*> segments = board_->findChildren<TimeBarSegment*>();
    QCOMPARE(value->currentValue().toInt(),
             std::count_if(segments.cbegin(), segments.cend(),
                           [](const TimeBarSegment* segment) { return segment->isVisible(); }));

    AnswerRight();
    QVERIFY(bar->state().invisible);
    QCOMPARE(value->currentValue().toInt(), 0);
}

void AccessibilityTest::settingsControlsCarryTheirCaptions() {
    TConfig dialog(nullptr, settings_);
    dialog.ShowFromMenu();
    const auto find = [&dialog](const char* name) {
        return dialog.findChild<QWidget*>(QString::fromLatin1(name));
    };
    VerifyControl(find("CheckBox7"), QAccessible::CheckBox, QStringLiteral("1 \u00B7 7"));
    VerifyControl(find("CheckBox21"), QAccessible::CheckBox, QStringLiteral("Auf Zeit"));
    VerifyControl(find("Button1"), QAccessible::Button, QStringLiteral("Speichern"));
    VerifyControl(find("Button2"), QAccessible::Button, QStringLiteral("Abbrechen"));
    VerifyControl(find("SpinEdit2")->findChild<QLineEdit*>(), QAccessible::EditableText,
                  QStringLiteral("Menge der Aufgaben"));
    VerifyControl(find("SpinEdit1")->findChild<QLineEdit*>(), QAccessible::EditableText,
                  QStringLiteral("Zeitvorgabe"));
    QCOMPARE(Accessible(find("SpinEdit2")->findChild<QLineEdit*>())->text(QAccessible::Value),
             QStringLiteral("1"));
}

void AccessibilityTest::aboutLinksAreLinksThatCanBeFollowed() {
    TInfoForm about(nullptr);
    about.show();
    for (const char* name : {"Label4", "Label5"}) {
        auto* link = about.findChild<QLabel*>(QString::fromLatin1(name));
        VerifyControl(link, QAccessible::Link, link->text());
        QAccessibleActionInterface* actions = Accessible(link)->actionInterface();
        QVERIFY(actions != nullptr);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        urls_.clear();
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(urls_.size(), 1);
    }
    QCOMPARE(urls_.constFirst().scheme(), QStringLiteral("mailto"));
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
