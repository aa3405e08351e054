#include "common/ui/QtTranslations.h"

#include "common/ui/ApplicationSetup.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The entries of a line edit's context menu without their shortcuts, separators left out.
QStringList ContextMenuEntries() {
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            entries << action->text().section(QLatin1Char('\t'), 0, 0);
        }
    }
    return entries;
}

} // namespace

class QtTranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void aFolderWithoutUsableTranslationLeavesQtEnglish_data();
    void aFolderWithoutUsableTranslationLeavesQtEnglish();
    void theAnswerFieldMenuIsGermanAfterSetUp();
};

void QtTranslationsTest::aFolderWithoutUsableTranslationLeavesQtEnglish_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QByteArray>("fileContents");

    QTest::newRow("no folder") << "missing" << QByteArray();
    QTest::newRow("damaged file") << "" << QByteArray("not a translation");
}

void QtTranslationsTest::aFolderWithoutUsableTranslationLeavesQtEnglish() {
    QFETCH(QString, folder);
    QFETCH(QByteArray, fileContents);
    const QTemporaryDir root;
    if (!fileContents.isNull()) {
        QFile file(root.filePath(QStringLiteral("qtbase_de.qm")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileContents);
    }

    QVERIFY(!InstallQtGermanTexts(root.filePath(folder)));
    QCOMPARE(ContextMenuEntries(),
             (QStringList{"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"}));
}

void QtTranslationsTest::theAnswerFieldMenuIsGermanAfterSetUp() {
    ConfigureApplication();
    QCOMPARE(ContextMenuEntries(),
             (QStringList{"&Rückgängig", "Wieder&herstellen", "&Ausschneiden", "&Kopieren",
                          "Einf&ügen", "Löschen", "Alles auswählen"}));
}

QTEST_MAIN(QtTranslationsTest)
#include "QtTranslationsTest.moc"
