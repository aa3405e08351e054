#include "common/IntegerConversion.h"
#include "common/ui/Fonts.h"
#include "practice/PracticeEngine.h"
#include "settings/IniFile.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettings.h"
#include "settings/dialog/TConfig.h"
#include "settings/dialog/TSpinEdit.h"
#include "tests/support/FakePracticeView.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempConfigDir.h"
#include "tests/support/UiTexts.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

namespace {

const std::string kBase = "Kalkuno";
const QString kNoRowMessage = QString::fromStdString(ui_texts::kNoRowChosen);
const QString kSaveFailedMessage = QString::fromStdString(ui_texts::kSaveFailed);

QByteArray Fixture(const QString& name) {
    QFile file(QStringLiteral(FIXTURE_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("missing fixture");
    }
    return file.readAll();
}

// What a round start makes of the stored settings: the rows it draws from, the total and the
// countdown period, or the conversion error that stopped it.
QString StartRound() {
    FakePracticeView board;
    const StoredSettings settings;
    PracticeEngine round(board, settings);
    try {
        round.FormShow();
    } catch (const ConversionError& error) {
        return QString::fromUtf8(error.what());
    }
    QString rows;
    for (int row = 1; row <= kRows; ++row) {
        rows += round.RowEnabled(row) ? u'1' : u'0';
    }
    int multiplier = 0;
    int row = 0;
    char dot = 0;
    std::istringstream(board.Text(PracticeControl::Label1)) >> multiplier >> dot >> dot >> row;
    const QString problem = round.RowEnabled(row) ? QString() : QStringLiteral(" problem off");
    return QStringLiteral("rows %1 total %2 timer %3%4")
        .arg(rows)
        .arg(round.ProblemTotal())
        .arg(board.TimerRunning() ? QString::number(board.TimerInterval()) : QStringLiteral("off"),
             problem);
}

// True when after differs from before inside one line of before only, by no more than one added
// entry with its section header.
bool KeepsTheOtherBytes(std::string_view before, std::string_view after) {
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
    const std::string_view added = after.substr(prefix, after.size() - prefix - suffix);
    return removed.find_first_of("\r\n") == std::string_view::npos &&
           added.size() <= std::string_view("\r\n[Vorgaben]\r\nZeit=3\r\n").size();
}

} // namespace

class SettingsFileFailuresTest : public QObject {
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

    void damagedFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("round");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("loadMessage");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("saveMessage");

        QTest::newRow("binary garbage")
            << Fixture("binary-garbage.bin") << "rows 11111111111111111111 total 10 timer 500"
            << "rows 00000000000000000000 time 10 total 5 timer 0" << QString() << true
            << kNoRowMessage;
        // Larger than any settings file: neither read nor overwritten.
        QTest::newRow("10 MB") << ("[Vorgaben]\nMenge=3\n" + QByteArray(10'000'000, ';'))
                               << "rows 11111111111111111111 total 10 timer 500"
                               << "rows 00000000000000000000 time 10 total 5 timer 0" << QString()
                               << false << kSaveFailedMessage;
        QTest::newRow("line of 100 000 characters")
            << ("[Vorgaben]\nMenge=7\n[Aufgaben]\n1=on\n2=" + QByteArray(99'998, 'o'))
            << "rows 10111111111111111111 total 7 timer 500"
            << "rows 10000000000000000000 time 10 total 7 timer 0" << QString() << true
            << QString();
        QTest::newRow("NUL bytes")
            << Fixture("nul-bytes.ini") << "rows 10011111111111111111 total 10 timer 400"
            << "rows 10000000000000000000 time 4 total 5 timer 0" << QString() << true << QString();
        QTest::newRow("UTF-8 byte-order mark")
            << Fixture("utf8-bom.ini") << "rows 01111111111111111111 total 20 timer off"
            << "rows 01000000000000000000 time 10 total 20 timer 0" << QString() << true
            << QString();
        QTest::newRow("CR line endings")
            << Fixture("cr-only.ini") << "rows 01111111111111111111 total 12 timer off"
            << "rows 01000000000000000000 time 8 total 12 timer 0" << QString() << true
            << QString();
        QTest::newRow("blanks and quotes")
            << Fixture("blanks-and-quotes.ini") << "rows 01001111111111111111 total 12 timer 700"
            << "rows 01000000000000000000 time 7 total 12 timer 1" << QString() << true
            << QString();
        // The dialog stops loading at the error; the later fields keep their design values.
        QTest::newRow("Zeit=abc") << Fixture("zeit-abc.ini") << "'abc' is not a valid integer value"
                                  << "rows 10000000000000000000 time 1 total 1 timer 1"
                                  << "'abc' is not a valid integer value." << true << QString();
        QTest::newRow("Zeit=fünf in Windows-1252")
            << QByteArray("[Aufgaben]\n1=on\n[Vorgaben]\nZeit=f\xFCnf\n")
            << QString::fromUtf8("'f\u00FCnf' is not a valid integer value")
            << "rows 10000000000000000000 time 1 total 1 timer 1"
            << QString::fromUtf8("'f\u00FCnf' is not a valid integer value.") << true << QString();
        QTest::newRow("Menge=-5") << Fixture("menge-negative.ini")
                                  << "rows 11111111111111111111 total -5 timer 500"
                                  << "rows 00100000000000000000 time 10 total 1 timer 0"
                                  << QString() << true << QString();
        QTest::newRow("Menge=99999999999")
            << Fixture("menge-too-large.ini") << "'99999999999' is not a valid integer value"
            << "rows 00001000000000000000 time 3 total 1 timer 1"
            << "'99999999999' is not a valid integer value." << true << QString();
        QTest::newRow("Timer=ON") << Fixture("timer-uppercase.ini")
                                  << "rows 11111111111111111111 total 10 timer off"
                                  << "rows 10000000000000000000 time 10 total 5 timer 0"
                                  << QString() << true << QString();
        QTest::newRow("missing sections")
            << Fixture("missing-sections.ini") << "rows 11111111111111111111 total 10 timer 500"
            << "rows 00000000000000000000 time 10 total 5 timer 0" << QString() << true
            << kNoRowMessage;
        // The first of two equal sections counts, also for keys only the second one holds.
        QTest::newRow("duplicate sections")
            << Fixture("duplicate-sections.ini") << "rows 01111111111111111111 total 10 timer 300"
            << "rows 00000000000000000000 time 3 total 5 timer 0" << QString() << true
            << kNoRowMessage;
        // A round needs a row: it falls back to row 1, as the dialog would have stored.
        QTest::newRow("every row off")
            << Fixture("every-row-off.ini") << "rows 10000000000000000000 total 3 timer 200"
            << "rows 00000000000000000000 time 2 total 3 timer 1" << QString() << true
            << kNoRowMessage;
    }

    void damagedFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, round);
        QFETCH(QString, dialog);
        QFETCH(QString, loadMessage);
        QFETCH(bool, writable);
        QFETCH(QString, saveMessage);
        config_->WriteIni(file.toStdString());

        QCOMPARE(StartRound(), round);
        dialog_->ShowFromMenu();
        QCOMPARE(watcher_->Texts().join(u'|'), loadMessage);
        QCOMPARE(DialogState(), dialog);

        QCOMPARE(ProfileWrite(kBase, "Vorgaben", "Zeit", "3"), writable);
        const std::string after = config_->ReadIni();
        if (writable) {
            QVERIFY(KeepsTheOtherBytes(file.toStdString(), after));
            QCOMPARE(IniFile::ReadValue(after, "Vorgaben", "Zeit"), "3");
        } else {
            QVERIFY(after == file.toStdString());
        }

        watcher_->Clear();
        QTest::mouseClick(dialog_->findChild<QPushButton*>(QStringLiteral("Button1")),
                          Qt::LeftButton);
        QCOMPARE(watcher_->Texts().join(u'|'), saveMessage);
        QVERIFY2(StartRound().startsWith(u"rows "), "a saved file must start a round");
    }

    void fullDiskKeepsTheOldFile() {
        const std::string old = "[Aufgaben]\n1=on\n[Vorgaben]\nZeit=5\nMenge=10\nTimer=on\n";
        config_->WriteIni(old);
        dialog_->ShowFromMenu();
        dialog_->findChild<TSpinEdit*>(QStringLiteral("SpinEdit2"))->SetText(QStringLiteral("42"));
        {
            const FileSizeLimit fullDisk(8);
            QVERIFY(!ProfileWrite(kBase, "Vorgaben", "Menge", "42"));
            QTest::mouseClick(dialog_->findChild<QPushButton*>(QStringLiteral("Button1")),
                              Qt::LeftButton);
        }
        QCOMPARE(watcher_->Texts(), QStringList{kSaveFailedMessage});
        QVERIFY(dialog_->isVisible());
        QVERIFY(config_->ReadIni() == old);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(config_->Path()), {}), 1);
    }

private:
    QString DialogState() const {
        QString rows;
        for (int row = 1; row <= TConfig::kRowCount; ++row) {
            rows += Box(QStringLiteral("CheckBox%1").arg(row))->isChecked() ? u'1' : u'0';
        }
        return QStringLiteral("rows %1 time %2 total %3 timer %4")
            .arg(rows, Field("SpinEdit1")->Text(), Field("SpinEdit2")->Text())
            .arg(Box(QStringLiteral("CheckBox21"))->isChecked() ? 1 : 0);
    }

    QCheckBox* Box(const QString& name) const { return dialog_->findChild<QCheckBox*>(name); }
    TSpinEdit* Field(const char* name) const {
        return dialog_->findChild<TSpinEdit*>(QString::fromLatin1(name));
    }

    std::unique_ptr<TempConfigDir> config_;
    StoredSettings settings_;
    std::unique_ptr<QWidget> mainWindow_;
    TConfig* dialog_ = nullptr;
    std::unique_ptr<ModalBoxWatcher> watcher_;
};

QTEST_MAIN(SettingsFileFailuresTest)
#include "SettingsFileFailuresTest.moc"
