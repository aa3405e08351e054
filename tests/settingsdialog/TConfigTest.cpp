#include "settings/dialog/TConfig.h"

#include "common/ui/Fonts.h"
#include "practice/PracticeEngine.h"
#include "practice/PracticeView.h"
#include "settings/SettingsStore.h"
#include "settings/dialog/TSpinEdit.h"
#include "tests/support/TempConfigDir.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kRows = TConfig::kRowCount;
const QString kNoRowMessage = QStringLiteral("Bitte wählen Sie mindesten eine Aufgabenreihe!");
const QString kSaveFailedMessage =
    QStringLiteral("Die Einstellungen konnten nicht gespeichert werden.");

// Row states as text, one character per row from 1 to 20: '1' on, '0' off.
QString Rows(const QString& first, QChar rest = u'0') {
    return first + QString(kRows - first.size(), rest);
}

// A settings file with the rows as the states say and the given "Vorgaben" lines.
std::string SettingsFile(const QString& rows, const std::string& defaults) {
    std::string file = "[Aufgaben]\n";
    for (int row = 1; row <= kRows; ++row) {
        file += std::to_string(row) + (rows.at(row - 1) == u'1' ? "=on\n" : "=off\n");
    }
    return file + "[Vorgaben]\n" + defaults;
}

QString Stored(const std::string& section, const std::string& key) {
    std::string value;
    ProfileRead("Kalkuno", section, key, value);
    return QString::fromStdString(value);
}

QString StoredRows() {
    QString rows;
    for (int row = 1; row <= kRows; ++row) {
        const QString value = Stored("Aufgaben", std::to_string(row));
        rows += value == u"on" ? u'1' : value == u"off" ? u'0' : u'?';
    }
    return rows;
}

// A chalkboard that shows nothing, for a round that only has to read its settings.
class BlankPracticeView final : public PracticeView {
public:
    void SetVisible(PracticeControl, bool) override {}
    void SetText(PracticeControl, const std::string&) override {}
    std::string UserinText() const override { return {}; }
    void FocusUserin() override {}
    void SetSegmentVisible(int, bool) override {}
    void SetTimerInterval(int) override {}
    void SetTimerEnabled(bool) override {}
    void ShowMessage(const std::string&) override {}
};

} // namespace

class TConfigTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void init() {
        config_ = std::make_unique<TempConfigDir>();
        mainWindow_ = std::make_unique<QWidget>();
        dialog_ = new TConfig(mainWindow_.get());
        watcher_ = std::make_unique<ModalBoxWatcher>();
    }

    void cleanup() {
        watcher_.reset();
        mainWindow_.reset();
        config_.reset();
    }

    void opensWithStoredSettings_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("total");
        QTest::addColumn<bool>("timed");
        QTest::newRow("no file: the dialog's own defaults") << QString() << Rows({}) << "10"
                                                            << "5" << false;
        QTest::newRow("stored values")
            << QString::fromStdString(SettingsFile(Rows("1011"), "Zeit=7\nMenge=42\nTimer=on\n"))
            << Rows("1011") << "7"
            << "42" << true;
        QTest::newRow("only the exact text on")
            << "[Aufgaben]\n1=On\n2=ON\n3=1\n4=yes\n5=on\n[Vorgaben]\nTimer=On\n"
            << Rows("00001") << "10"
            << "5" << false;
        QTest::newRow("above the ranges") << "[Vorgaben]\nZeit=25\nMenge=500\n"
                                          << Rows({}) << "10"
                                          << "100" << false;
        QTest::newRow("below the ranges") << "[Vorgaben]\nZeit=-3\nMenge=0\n"
                                          << Rows({}) << "1"
                                          << "1" << false;
        QTest::newRow("empty values") << "[Vorgaben]\nZeit=\nMenge=\n"
                                      << Rows({}) << "10"
                                      << "5" << false;
        QTest::newRow("hexadecimal") << "[Vorgaben]\nZeit=$A\nMenge=$14\n"
                                     << Rows({}) << "10"
                                     << "20" << false;
    }

    void opensWithStoredSettings() {
        QFETCH(QString, file);
        QFETCH(QString, rows);
        QFETCH(QString, time);
        QFETCH(QString, total);
        QFETCH(bool, timed);
        if (!file.isNull()) {
            config_->WriteIni(file.toStdString());
        }
        dialog_->ShowFromMenu();
        QVERIFY(dialog_->isVisible());
        QVERIFY(watcher_->Seen().isEmpty());
        QCOMPARE(RowStates(), rows);
        QCOMPARE(Field("SpinEdit1")->Text(), time);
        QCOMPARE(Field("SpinEdit2")->Text(), total);
        QCOMPARE(Box("CheckBox21")->isChecked(), timed);
        for (int row = 1; row <= kRows; ++row) {
            QCOMPARE(Row(row)->text(), QStringLiteral("1 · %1").arg(row));
        }
        QCOMPARE(dialog_->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(),
                 QStringLiteral("Aufgaben"));
    }

    void unconvertibleNumberStopsLoading_data() {
        QTest::addColumn<std::string>("defaults");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("time");
        QTest::newRow("Zeit") << std::string("Zeit=abc\nMenge=50\nTimer=off\n")
                              << "'abc' is not a valid integer value."
                              << "1";
        QTest::newRow("Menge") << std::string("Zeit=3\nMenge=12a\nTimer=off\n")
                               << "'12a' is not a valid integer value."
                               << "3";
    }

    void unconvertibleNumberStopsLoading() {
        QFETCH(std::string, defaults);
        QFETCH(QString, message);
        QFETCH(QString, time);
        config_->WriteIni(SettingsFile(Rows("01"), defaults));
        dialog_->ShowFromMenu();

        QCOMPARE(watcher_->Seen().size(), 1);
        const SeenMessageBox& error = watcher_->Seen().constFirst();
        QCOMPARE(error.text, message);
        QCOMPARE(error.title, QStringLiteral("Kalkuno"));
        QCOMPARE(error.icon, QMessageBox::Critical);
        QVERIFY(dialog_->isVisible());
        // Loaded up to the failure; the rest as in the design.
        QCOMPARE(RowStates(), Rows("01"));
        QCOMPARE(Field("SpinEdit1")->Text(), time);
        QCOMPARE(Field("SpinEdit2")->Text(), QStringLiteral("1"));
        QVERIFY(Box("CheckBox21")->isChecked());
        QCOMPARE(Row(1)->text(), QStringLiteral("1 x 1"));
        QCOMPARE(Row(20)->text(), QStringLiteral("1 x 20"));
        QCOMPARE(dialog_->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(),
                 QStringLiteral("1 x 1 Reihen"));
    }

    void savesTheControls_data() {
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<QString>("totalText");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("total");
        QTest::newRow("inside the ranges") << "7"
                                           << "42"
                                           << "7"
                                           << "42";
        QTest::newRow("empty count") << "3"
                                     << ""
                                     << "3"
                                     << "1";
        QTest::newRow("letters in the count") << "3"
                                              << "abc"
                                              << "3"
                                              << "1";
        QTest::newRow("sign only in the count") << "3"
                                                << "-"
                                                << "3"
                                                << "1";
        QTest::newRow("letters in the time") << "x"
                                             << "8"
                                             << "1"
                                             << "8";
        QTest::newRow("above the ranges") << "25"
                                          << "250"
                                          << "10"
                                          << "100";
        QTest::newRow("below the ranges") << "0"
                                          << "-5"
                                          << "1"
                                          << "1";
    }

    void savesTheControls() {
        QFETCH(QString, timeText);
        QFETCH(QString, totalText);
        QFETCH(QString, time);
        QFETCH(QString, total);
        dialog_->ShowFromMenu();
        SetRowStates(Rows("0110", u'1'));
        Field("SpinEdit1")->SetText(timeText);
        Field("SpinEdit2")->SetText(totalText);
        Box("CheckBox21")->setChecked(true);
        Click("Button1");

        QVERIFY(watcher_->Seen().isEmpty());
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(StoredRows(), Rows("0110", u'1'));
        QCOMPARE(Stored("Vorgaben", "Zeit"), time);
        QCOMPARE(Stored("Vorgaben", "Menge"), total);
        QCOMPARE(Stored("Vorgaben", "Timer"), QStringLiteral("on"));
    }

    void savingWithoutAnyRowIsRefused() {
        dialog_->ShowFromMenu();
        SetRowStates(Rows({}));
        Field("SpinEdit1")->SetText(QStringLiteral("4"));
        Field("SpinEdit2")->SetText(QStringLiteral("12"));
        Box("CheckBox21")->setChecked(true);
        Click("Button1");

        QCOMPARE(watcher_->Seen().size(), 1);
        const SeenMessageBox& message = watcher_->Seen().constFirst();
        QCOMPARE(message.text, kNoRowMessage);
        QCOMPARE(message.title, QStringLiteral("Kalkuno"));
        QCOMPARE(message.icon, QMessageBox::NoIcon);
        QCOMPARE(RowStates(), Rows("1"));
        QVERIFY(dialog_->isVisible());
        QCOMPARE(StoredRows(), Rows("1"));
        QCOMPARE(Stored("Vorgaben", "Zeit"), QStringLiteral("4"));
        QCOMPARE(Stored("Vorgaben", "Menge"), QStringLiteral("12"));
        QCOMPARE(Stored("Vorgaben", "Timer"), QStringLiteral("on"));
    }

    void closingWithoutSavingWritesNothing_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Abbrechen") << false;
        QTest::newRow("close box") << true;
    }

    void closingWithoutSavingWritesNothing() {
        QFETCH(bool, closeBox);
        const std::string file = SettingsFile(Rows("101"), "Zeit=6\nMenge=30\nTimer=off\n");
        config_->WriteIni(file);
        dialog_->ShowFromMenu();
        SetRowStates(Rows("01"));
        Field("SpinEdit1")->SetText(QStringLiteral("2"));
        Field("SpinEdit2")->SetText(QStringLiteral("99"));
        Box("CheckBox21")->setChecked(true);
        if (closeBox) {
            dialog_->close();
        } else {
            Click("Button2");
        }
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(config_->ReadIni(), file);

        dialog_->ShowFromMenu();
        QCOMPARE(RowStates(), Rows("101"));
        QCOMPARE(Field("SpinEdit1")->Text(), QStringLiteral("6"));
        QCOMPARE(Field("SpinEdit2")->Text(), QStringLiteral("30"));
        QVERIFY(!Box("CheckBox21")->isChecked());
    }

    void showingWhileOpenKeepsEdits() {
        config_->WriteIni(SettingsFile(Rows("1"), "Menge=30\n"));
        dialog_->ShowFromMenu();
        Field("SpinEdit2")->SetText(QStringLiteral("77"));
        ProfileWrite("Kalkuno", "Aufgaben", "2", "on");
        dialog_->ShowFromMenu();
        QVERIFY(dialog_->isVisible());
        QCOMPARE(Field("SpinEdit2")->Text(), QStringLiteral("77"));
        QCOMPARE(RowStates(), Rows("1"));
    }

    void failedSaveKeepsTheChoices_data() {
        QTest::addColumn<QString>("rows");
        QTest::newRow("rows chosen") << Rows("0101");
        QTest::newRow("no row chosen") << Rows({});
    }

    void failedSaveKeepsTheChoices() {
        QFETCH(QString, rows);
        const std::string file = SettingsFile(Rows("1"), "Zeit=6\nMenge=30\nTimer=off\n");
        config_->WriteIni(file);
        dialog_->ShowFromMenu();
        SetRowStates(rows);
        Field("SpinEdit2")->SetText(QStringLiteral("44"));

        // A configuration folder below a plain file can be neither created nor written, even by
        // root.
        const std::filesystem::path blocker = config_->Path() / "blocker";
        std::ofstream(blocker) << "not a folder";
        setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
        Click("Button1");
        setenv("XDG_CONFIG_HOME", config_->Path().c_str(), 1);

        QCOMPARE(watcher_->Texts(), QStringList{kSaveFailedMessage});
        QCOMPARE(watcher_->Seen().constFirst().icon, QMessageBox::NoIcon);
        QCOMPARE(watcher_->Seen().constFirst().title, QStringLiteral("Kalkuno"));
        QVERIFY(dialog_->isVisible());
        QCOMPARE(RowStates(), rows);
        QCOMPARE(Field("SpinEdit2")->Text(), QStringLiteral("44"));
        QCOMPARE(config_->ReadIni(), file);
    }

    void retryAfterFailedSaveSaves() {
        dialog_->ShowFromMenu();
        SetRowStates(Rows("01"));
        const std::filesystem::path blocker = config_->Path() / "blocker";
        std::ofstream(blocker) << "not a folder";
        setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
        Click("Button1");
        setenv("XDG_CONFIG_HOME", config_->Path().c_str(), 1);
        Click("Button1");

        QCOMPARE(watcher_->Texts(), QStringList{kSaveFailedMessage});
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(StoredRows(), Rows("01"));
    }

    void tabOrder() {
        dialog_->ShowFromMenu();
        QVERIFY(QTest::qWaitForWindowActive(dialog_));
        QStringList expected;
        for (int row = 1; row <= kRows; ++row) {
            expected << QStringLiteral("CheckBox%1").arg(row);
        }
        expected << "Button1"
                 << "Button2"
                 << "CheckBox21"
                 << "SpinEdit1"
                 << "SpinEdit2"
                 << "CheckBox1";

        QStringList visited{FocusName()};
        for (qsizetype step = 1; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << FocusName();
        }
        QCOMPARE(visited, expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(FocusName(), QStringLiteral("SpinEdit2"));
    }

    void enterAndEscapeTriggerNothing_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("Enter on a row") << "CheckBox3" << int(Qt::Key_Return);
        QTest::newRow("Enter on Speichern") << "Button1" << int(Qt::Key_Return);
        QTest::newRow("keypad Enter on Speichern") << "Button1" << int(Qt::Key_Enter);
        QTest::newRow("Enter on Abbrechen") << "Button2" << int(Qt::Key_Return);
        QTest::newRow("Escape on a row") << "CheckBox3" << int(Qt::Key_Escape);
        QTest::newRow("Escape on Abbrechen") << "Button2" << int(Qt::Key_Escape);
        QTest::newRow("Escape in a spin field") << "SpinEdit2" << int(Qt::Key_Escape);
    }

    void enterAndEscapeTriggerNothing() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        dialog_->ShowFromMenu();
        QVERIFY(QTest::qWaitForWindowActive(dialog_));
        auto* target = dialog_->findChild<QWidget*>(focus);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QVERIFY(dialog_->isVisible());
        QVERIFY(watcher_->Seen().isEmpty());
        QVERIFY(!std::filesystem::exists(config_->IniPath()));
    }

    void panelsFollowTheWindow_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("larger") << QSize(760, 480);
        QTest::newRow("smaller") << QSize(420, 250);
    }

    void panelsFollowTheWindow() {
        QFETCH(QSize, size);
        dialog_->ShowFromMenu();
        QVERIFY(dialog_->isWindow());
        dialog_->resize(size);
        QCOMPARE(dialog_->size(), size);

        const QRect panel2 = Control("Panel2")->geometry();
        QCOMPARE(panel2, QRect(1, 1, 288, size.height() - 2));
        const QWidget* panel3 = Control("Panel3");
        QCOMPARE(panel3->geometry(),
                 QRect(panel2.right() + 1, 1, size.width() - 2 - 288, size.height() - 2));
        const QRect inner = panel3->rect().adjusted(1, 1, -1, -1);
        QCOMPARE(Control("Panel4")->geometry(),
                 QRect(inner.left(), inner.bottom() - 72, inner.width(), 73));
        QCOMPARE(Control("Panel5")->geometry(),
                 QRect(inner.left(), inner.top(), inner.width(), inner.height() - 73));
        QCOMPARE(Control("Button2")->pos(), QPoint(24, 24));
        QCOMPARE(Control("Button1")->pos(), QPoint(144, 24));
        QCOMPARE(Control("SpinEdit1")->pos(), QPoint(24, 192));
        QCOMPARE(Control("GroupBox1")->pos(), QPoint(9, 17));
    }

    void savedSettingsReachOnlyTheNextRound() {
        config_->WriteIni(SettingsFile(Rows({}, u'1'), "Zeit=5\nMenge=10\nTimer=on\n"));
        BlankPracticeView view;
        PracticeEngine round(view);
        round.FormShow();
        QCOMPARE(round.ProblemTotal(), 10);

        dialog_->ShowFromMenu();
        Field("SpinEdit2")->SetText(QStringLiteral("3"));
        Box("CheckBox21")->setChecked(false);
        Click("Button1");
        QCOMPARE(round.ProblemTotal(), 10);
        QVERIFY(round.TimedMode());

        round.FormShow();
        QCOMPARE(round.ProblemTotal(), 3);
        QVERIFY(!round.TimedMode());
    }

private:
    QCheckBox* Box(const QString& name) const { return dialog_->findChild<QCheckBox*>(name); }
    QCheckBox* Row(int row) const { return Box(QStringLiteral("CheckBox%1").arg(row)); }
    TSpinEdit* Field(const QString& name) const { return dialog_->findChild<TSpinEdit*>(name); }
    QWidget* Control(const QString& name) const { return dialog_->findChild<QWidget*>(name); }

    void Click(const QString& name) const {
        QTest::mouseClick(dialog_->findChild<QPushButton*>(name), Qt::LeftButton);
    }

    QString RowStates() const {
        QString rows;
        for (int row = 1; row <= kRows; ++row) {
            rows += Row(row)->isChecked() ? u'1' : u'0';
        }
        return rows;
    }

    void SetRowStates(const QString& rows) const {
        for (int row = 1; row <= kRows; ++row) {
            Row(row)->setChecked(rows.at(row - 1) == u'1');
        }
    }

    // The control holding the focus; a spin field's edit counts as the field.
    static QString FocusName() {
        const QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            return {};
        }
        if (qobject_cast<const QLineEdit*>(focus) != nullptr) {
            focus = focus->parentWidget();
        }
        return focus->objectName();
    }

    std::unique_ptr<TempConfigDir> config_;
    std::unique_ptr<QWidget> mainWindow_;
    TConfig* dialog_ = nullptr;
    std::unique_ptr<ModalBoxWatcher> watcher_;
};

QTEST_MAIN(TConfigTest)
#include "TConfigTest.moc"
