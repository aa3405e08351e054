// Renders the real windows offscreen to PNG files for the README.
#include "app/TForm1.h"
#include "common/ui/ApplicationSetup.h"
#include "common/ui/PlainText.h"
#include "journal/Journal.h"
#include "journal/JournalLocation.h"
#include "lernstand/window/TLernstand.h"
#include "lernstand/window/klasse/TKlasse.h"
#include "practice/window/TTest.h"
#include "school/ClassFolderDrill.h"
#include "settings/StoredSettings.h"
#include "settings/dialog/TConfig.h"
#include "tools/screenshots/LernstandSample.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void Type(QWidget* field, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + character.digitValue(), Qt::NoModifier,
                        QString(character));
        QApplication::sendEvent(field, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(field, &enter);
}

int AskedProduct(const TTest& board) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+) \u00B7 (\\d+) = $"));
    const auto match = pattern.match(board.findChild<QLabel*>(QStringLiteral("Label1"))->text());
    return match.captured(1).toInt() * match.captured(2).toInt();
}

bool Save(QWidget& window, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    qputenv("XDG_DATA_HOME", settings.path().toUtf8());
    QFile ini(QDir(settings.path()).filePath(QStringLiteral("Kalkuno.ini")));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[Aufgaben]\n1=off\n2=off\n10=off\n11=off\n[Vorgaben]\nZeit=5\nMenge=10\n") < 0) {
        return 1;
    }
    ini.close();

    QApplication application(argc, argv);
    ConfigureApplication();
    const QDir output(QString::fromLocal8Bit(argv[1]));

    StoredSettings stored;
    // As the program has it, with no class folder set.
    const std::unique_ptr<ClassFolderDrill> school = MakeOwnClassFolderDrill(stored);
    TForm1 form1(stored, nullptr, nullptr, school.get());
    form1.show();
    bool ok = Save(form1, output, QStringLiteral("main-window.png"));

    TTest& board = *form1.findChild<TTest*>();
    board.ShowFromMenu();
    auto* userin = board.findChild<QLineEdit*>(QStringLiteral("Userin"));
    for (int answer = 0; answer < 4; ++answer) {
        Type(userin, QString::number(AskedProduct(board) + (answer == 2 ? 1 : 0)));
    }
    Wait(3600);
    SetPlainText(*userin, QStringLiteral("4"));
    ok = Save(board, output, QStringLiteral("round.png")) && ok;

    ini.open(QIODevice::WriteOnly);
    ini.write("[Vorgaben]\nMenge=5\nTimer=off\n");
    ini.close();
    board.close();
    // A half-typed answer survives closing the board, so clear it for a perfect round.
    userin->clear();
    board.ShowFromMenu();
    for (int answer = 0; answer < 5; ++answer) {
        Type(userin, QString::number(AskedProduct(board)));
    }
    ok = Save(board, output, QStringLiteral("reward.png")) && ok;

    TConfig& config = *form1.findChild<TConfig*>();
    config.ShowFromMenu();
    ok = Save(config, output, QStringLiteral("settings.png")) && ok;

    // The sample practised rows 3 to 9 only.
    ini.open(QIODevice::WriteOnly);
    ini.write("[Aufgaben]\n");
    for (int row = 1; row <= 20; ++row) {
        ini.write(
            QStringLiteral("%1=%2\n").arg(row).arg(row >= 3 && row <= 9 ? "on" : "off").toUtf8());
    }
    ini.write("[Lernstand]\nAufzeichnen=on\n");
    ini.close();
    RecordLernstandSample(JournalPath(), std::chrono::system_clock::now());
    StoreJournalName(JournalPath(), "Lena");
    TLernstand lernstand({JournalPath(), stored});
    lernstand.show();
    ok = Save(lernstand, output, QStringLiteral("lernstand.png")) && ok;

    // A class: five children's copies for the teacher and a note that is no journal.
    const QDir classFolder(QDir(settings.path()).filePath(QStringLiteral("Klasse")));
    classFolder.mkpath(QStringLiteral("."));
    const char* const children[] = {"Lena", "Mats", "Noah", "Emma", "Jonas"};
    for (std::uint32_t child = 0; child < std::size(children); ++child) {
        const std::filesystem::path copy =
            classFolder.filePath(QStringLiteral("Lernstand-%1.sqlite").arg(children[child]))
                .toStdString();
        RecordLernstandSample(copy, std::chrono::system_clock::now(), 7 + 31 * child);
        StoreJournalName(copy, children[child]);
    }
    QFile note(classFolder.filePath(QStringLiteral("Elternabend.txt")));
    ok = note.open(QIODevice::WriteOnly) && note.write("Donnerstag, 19 Uhr\n") > 0 && ok;
    note.close();
    auto* klasse = new TKlasse(classFolder.path().toStdString(), std::chrono::seconds(3),
                               RowSwitches{}, &lernstand);
    klasse->show();
    while (klasse->findChild<QProgressBar*>()->isVisible()) {
        Wait(50);
    }
    ok = Save(*klasse, output, QStringLiteral("klasse.png")) && ok;
    lernstand.close();

    // The about box is modal: photograph it once its banner has typed the whole title.
    QTimer::singleShot(3200, [&] {
        QWidget* about = QApplication::activeModalWidget();
        ok = about != nullptr && Save(*about, output, QStringLiteral("about.png")) && ok;
        if (about != nullptr) {
            about->close();
        }
    });
    form1.findChild<QAction*>(QStringLiteral("Info1"))->trigger();
    return ok ? 0 : 1;
}
