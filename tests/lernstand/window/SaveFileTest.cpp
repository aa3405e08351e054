#include "lernstand/window/SaveFile.h"

#include "tests/support/FileBytes.h"
#include "tests/support/TempConfigDir.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <QDate>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

class SaveFileTest : public QObject {
    Q_OBJECT

private slots:
    // A worksheet or a list appears whole or not at all, and where it cannot, nothing is left.
    void savesWholeOrSaysWhyNot_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<bool>("saved");
        QTest::newRow("a new file") << "Klassenliste.csv" << false << false << true;
        QTest::newRow("replacing an older file") << "Klassenliste.csv" << true << false << true;
        QTest::newRow("a write-protected stick") << "Klassenliste.csv" << false << true << false;
        QTest::newRow("an older file on a write-protected stick")
            << "Klassenliste.csv" << true << true << false;
        QTest::newRow("a folder that is gone") << "weg/Klassenliste.csv" << false << false << false;
    }

    void savesWholeOrSaysWhyNot() {
        QFETCH(QString, target);
        QFETCH(bool, oldFile);
        QFETCH(bool, readOnlyFolder);
        QFETCH(bool, saved);
        const TempConfigDir temp;
        const fs::path folder = temp.Path() / "stick";
        fs::create_directories(folder);
        const fs::path file = folder / target.toStdString();
        if (oldFile) {
            std::ofstream(file) << "alt";
        }
        // An ordinary user, for whom the protection counts.
        fs::permissions(temp.Path(), fs::perms::all);
        fs::permissions(folder, readOnlyFolder ? fs::perms::owner_read | fs::perms::owner_exec |
                                                     fs::perms::others_read | fs::perms::others_exec
                                               : fs::perms::all);
        const std::size_t filesBefore = FilesIn(folder);
        QString reason;
        {
            const WithoutRootPrivilege nobody;
            reason = SaveFileBytes(QString::fromStdString(file.string()), "Name;Antworten\r\n");
        }
        fs::permissions(folder, fs::perms::owner_all);
        QCOMPARE(reason.isEmpty(), saved);
        QCOMPARE(FileBytes(file), saved ? "Name;Antworten\r\n" : oldFile ? "alt" : "");
        QCOMPARE(FilesIn(folder), filesBefore + (saved && !oldFile ? 1 : 0));
    }

    void suggestsTodayInFileNames() {
        QCOMPARE(TodayIso(), QDate::currentDate().toString(Qt::ISODate));
    }
};

QTEST_GUILESS_MAIN(SaveFileTest)
#include "SaveFileTest.moc"
