#include "settings/dialog/TConfig.h"

#include "common/ui/Fonts.h"
#include "practice/PracticeEngine.h"
#include "settings/StoredSettings.h"
#include "settings/dialog/TSpinEdit.h"
#include "tests/support/FakePracticeView.h"
#include "tests/support/TempConfigDir.h"
#include "tests/support/UiTexts.h"
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

constexpr int kRowCount = TConfig::kRowCount;

// Row states as text, one character per row from 1 to 20: '1' on, '0' off.
QString Rows(const QString& first, QChar rest = u'0') {
    return first + QString(kRowCount - first.size(), rest);
}

// A settings file with the rows as the states say and the given "Vorgaben" lines.
std::string SettingsFile(const QString& rows, const std::string& defaults) {
    std::string file = "[Aufgaben]\n";
    for (int row = 1; row <= kRowCount; ++row) {
        file += std::to_string(row) + (rows.at(row - 1) == u'1' ? "=on\n" : "=off\n");
    }
    return file + "[Vorgaben]\n" + defaults;
}

// The file's rows, "Zeit", "Menge" and "Timer", in the form the test's Shown() gives.
QString StoredValues() {
    const auto read = [](const std::string& section, const std::string& key) {
        return QString::fromStdString(StoredSettings().Read(section, key));
    };
    QString rows;
    for (int row = 1; row <= kRowCount; ++row) {
        const QString value = read("Aufgaben", std::to_string(row));
        rows += value == u"on" ? u'1' : value == u"off" ? u'0' : u'?';
    }
    return QStringList{rows, read("Vorgaben", "Zeit"), read("Vorgaben", "Menge"),
                       read("Vorgaben", "Timer")}
        .join(u' ');
}

} // namespace

class TConfigTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void init() {
        config_ = std::make_unique<TempConfigDir>();
        mainWindow_ = std::make_unique<QWidget>();
        dialog_ = new TConfig(mainWindow_.get(), settings_);
        watcher_ = std::make_unique<ModalBoxWatcher>();
    }

    void cleanup() {
        watcher_.reset();
        mainWindow_.reset();
        config_.reset();
    }

    void opensWithStoredSettings_data() {
        QTest::addColumn<std::string>("file");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, const std::string& file, const QString& shown,
                            const QString& error = {}) {
            QTest::newRow(name) << file << shown << error;
        };
        row("no file: the dialog's own defaults", {}, Rows({}) + " 10 5 off");
        row("stored values", SettingsFile(Rows("1011"), "Zeit=7\nMenge=42\nTimer=on\n"),
            Rows("1011") + " 7 42 on");
        row("only the exact text on; empty numbers as absent",
            "[Aufgaben]\n1=On\n2=ON\n3=1\n4=yes\n5=on\n[Vorgaben]\nZeit=\nMenge=\nTimer=On\n",
            Rows("00001") + " 10 5 off");
        row("time above, count below the range", "[Vorgaben]\nZeit=25\nMenge=0\n",
            Rows({}) + " 10 1 off");
        row("time below, count above the range", "[Vorgaben]\nZeit=0\nMenge=500\n",
            Rows({}) + " 1 100 off");
        // Loaded up to the failure; the rest as in the design.
        row("unconvertible time", SettingsFile(Rows("01"), "Zeit=abc\nMenge=50\nTimer=off\n"),
            Rows("01") + " 1 1 on", "'abc' is not a valid integer value.");
        row("unconvertible count", SettingsFile(Rows("01"), "Zeit=3\nMenge=12a\nTimer=off\n"),
            Rows("01") + " 3 1 on", "'12a' is not a valid integer value.");
    }

    void opensWithStoredSettings() {
        QFETCH(std::string, file);
        QFETCH(QString, shown);
        QFETCH(QString, error);
        if (!file.empty()) {
            config_->WriteIni(file);
        }
        dialog_->ShowFromMenu();
        QVERIFY(dialog_->isVisible());
        QCOMPARE(watcher_->Texts(), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(Shown(), shown);
        // A failed loading stops before the captions are set.
        QCOMPARE(Captions(), error.isEmpty() ? QStringLiteral("1 · 1, 1 · 20, Aufgaben")
                                             : QStringLiteral("1 x 1, 1 x 20, 1 x 1 Reihen"));
    }

    void savesTheControls_data() {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("stored");
        const QString rows = Rows("0110", u'1');
        QTest::newRow("inside the ranges") << rows + " 7 42 on" << rows + " 7 42 on";
        QTest::newRow("empty count") << rows + " 3  off" << rows + " 3 1 off";
        QTest::newRow("unconvertible time and count") << rows + " x abc on" << rows + " 1 1 on";
        QTest::newRow("above the ranges") << rows + " 25 250 on" << rows + " 10 100 on";
        QTest::newRow("below the ranges") << rows + " 0 -5 off" << rows + " 1 1 off";
    }

    void savesTheControls() {
        QFETCH(QString, entered);
        QFETCH(QString, stored);
        dialog_->ShowFromMenu();
        Fill(entered);
        Click("Button1");
        QVERIFY(watcher_->Seen().isEmpty());
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(StoredValues(), stored);
    }

    void savingWithoutAnyRowIsRefused() {
        dialog_->ShowFromMenu();
        Fill(Rows({}) + " 4 12 on");
        // Row 1 is stored once the grown-up has read why.
        QString storedWhileShown;
        watcher_->SetWhileOpen([this, &storedWhileShown] { storedWhileShown = StoredValues(); });
        Click("Button1");
        QCOMPARE(storedWhileShown, Rows({}) + " 4 12 on");
        QCOMPARE(watcher_->Texts(), QStringList{QString::fromStdString(ui_texts::kNoRowChosen)});
        QVERIFY(dialog_->isVisible());
        QCOMPARE(Shown(), Rows("1") + " 4 12 on");
        QCOMPARE(StoredValues(), Rows("1") + " 4 12 on");
    }

    void closingWithoutSavingWritesNothing_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Abbrechen") << false;
        QTest::newRow("close box") << true;
    }

    // Edits live while the dialog stays open, even through "Einstellungen", and die with it.
    void closingWithoutSavingWritesNothing() {
        QFETCH(bool, closeBox);
        const std::string file = SettingsFile(Rows("101"), "Zeit=6\nMenge=30\nTimer=off\n");
        config_->WriteIni(file);
        dialog_->ShowFromMenu();
        Fill(Rows("01") + " 2 99 on");
        dialog_->ShowFromMenu();
        QCOMPARE(Shown(), Rows("01") + " 2 99 on");
        if (closeBox) {
            dialog_->close();
        } else {
            Click("Button2");
        }
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(config_->ReadIni(), file);
        dialog_->ShowFromMenu();
        QCOMPARE(Shown(), Rows("101") + " 6 30 off");
    }

    void failedSaveKeepsTheChoicesForARetry_data() {
        QTest::addColumn<QString>("entered");
        QTest::newRow("rows chosen") << Rows("0101") + " 6 44 off";
        QTest::newRow("no row chosen") << Rows({}) + " 6 44 off";
    }

    void failedSaveKeepsTheChoicesForARetry() {
        QFETCH(QString, entered);
        const std::string file = SettingsFile(Rows("1"), "Zeit=6\nMenge=30\nTimer=off\n");
        config_->WriteIni(file);
        dialog_->ShowFromMenu();
        Fill(entered);
        // A configuration folder below a plain file can be neither created nor written, even by
        // root.
        const std::filesystem::path blocker = config_->Path() / "blocker";
        std::ofstream(blocker) << "not a folder";
        setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
        Click("Button1");
        setenv("XDG_CONFIG_HOME", config_->Path().c_str(), 1);

        QCOMPARE(watcher_->Texts(), QStringList{QString::fromStdString(ui_texts::kSaveFailed)});
        QVERIFY(dialog_->isVisible());
        QCOMPARE(Shown(), entered);
        QCOMPARE(config_->ReadIni(), file);

        Click("Button1");
        QCOMPARE(StoredValues(), Shown());
    }

    void tabOrder() {
        dialog_->ShowFromMenu();
        QVERIFY(QTest::qWaitForWindowActive(dialog_));
        QStringList expected;
        for (int row = 1; row <= kRowCount; ++row) {
            expected << QStringLiteral("CheckBox%1").arg(row);
        }
        expected += {"Button1", "Button2", "CheckBox21", "SpinEdit1", "SpinEdit2", "CheckBox1"};
        QStringList visited{FocusName()};
        while (visited.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << FocusName();
        }
        QCOMPARE(visited, expected);
    }

    void enterAndEscapeTriggerNothing_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("Enter on a row") << "CheckBox3" << int(Qt::Key_Return);
        QTest::newRow("Enter on Speichern") << "Button1" << int(Qt::Key_Return);
        QTest::newRow("Enter on Abbrechen") << "Button2" << int(Qt::Key_Return);
        QTest::newRow("Escape in a spin field") << "SpinEdit2" << int(Qt::Key_Escape);
    }

    void enterAndEscapeTriggerNothing() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        dialog_->ShowFromMenu();
        QVERIFY(QTest::qWaitForWindowActive(dialog_));
        Control(focus)->setFocus(Qt::TabFocusReason);
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
        dialog_->resize(size);
        QCOMPARE(dialog_->size(), size);
        // Each raised panel has a one-pixel bevel that its children keep clear of.
        QCOMPARE(Control("Panel2")->geometry(), QRect(1, 1, 288, size.height() - 2));
        const QWidget* panel3 = Control("Panel3");
        QCOMPARE(panel3->width(), size.width() - 2 - 288);
        const QRect inner = panel3->rect().adjusted(1, 1, -1, -1);
        QCOMPARE(Control("Panel4")->geometry(),
                 QRect(inner.left(), inner.bottom() - 72, inner.width(), 73));
    }

    void savedSettingsReachOnlyTheNextRound() {
        FakePracticeView view;
        const StoredSettings settings;
        PracticeEngine round(view, settings);
        round.FormShow();
        QCOMPARE(round.ProblemTotal(), 10);

        dialog_->ShowFromMenu();
        Fill(Rows("1") + " 5 3 off");
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

    // The controls as "<row states> <time text> <count text> <on|off>".
    QString Shown() const {
        QString rows;
        for (int row = 1; row <= kRowCount; ++row) {
            rows += Row(row)->isChecked() ? u'1' : u'0';
        }
        return QStringList{rows, Field("SpinEdit1")->Text(), Field("SpinEdit2")->Text(),
                           Box("CheckBox21")->isChecked() ? "on" : "off"}
            .join(u' ');
    }

    // Sets the controls from text in the form Shown() gives.
    void Fill(const QString& values) const {
        const QStringList parts = values.split(u' ');
        for (int row = 1; row <= kRowCount; ++row) {
            Row(row)->setChecked(parts.at(0).at(row - 1) == u'1');
        }
        Field("SpinEdit1")->SetText(parts.at(1));
        Field("SpinEdit2")->SetText(parts.at(2));
        Box("CheckBox21")->setChecked(parts.at(3) == u"on");
    }

    QString Captions() const {
        return QStringList{Row(1)->text(), Row(kRowCount)->text(),
                           dialog_->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title()}
            .join(u", ");
    }

    // The control holding the focus; a spin field's edit counts as the field.
    static QString FocusName() {
        const QWidget* focus = QApplication::focusWidget();
        if (qobject_cast<const QLineEdit*>(focus) != nullptr) {
            focus = focus->parentWidget();
        }
        return focus == nullptr ? QString() : focus->objectName();
    }

    std::unique_ptr<TempConfigDir> config_;
    StoredSettings settings_;
    std::unique_ptr<QWidget> mainWindow_;
    TConfig* dialog_ = nullptr;
    std::unique_ptr<ModalBoxWatcher> watcher_;
};

QTEST_MAIN(TConfigTest)
#include "TConfigTest.moc"
