#include "common/ui/PlainText.h"

#include "common/ui/ApplicationSetup.h"
#include "common/ui/CreateLabel.h"
#include "common/ui/ElidedLabel.h"
#include "common/ui/MessageBoxes.h"
#include "tests/widgetsupport/HostileNames.h"
#include "tests/widgetsupport/ModalBoxWatcher.h"
#include "tests/widgetsupport/RenderedText.h"

#include <QAccessible>
#include <QCheckBox>
#include <QHelpEvent>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QWindow>

namespace {

// The tooltip showing now, as its label renders it.
RenderedText ShownToolTip() {
    return RenderAs(QToolTip::text(), Qt::AutoText);
}

void AskForToolTip(QWidget& widget, const QPoint& position) {
    QHelpEvent help(QEvent::ToolTip, position, widget.mapToGlobal(position));
    QApplication::sendEvent(&widget, &help);
}

} // namespace

// Every name a stick may bring, through every helper a window shows a text with; the hundred
// thousand characters are left to the windows' texts, which shorten them first.
class PlainTextTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigureApplication(); }

    void everySurfaceShowsTheTextAsItIs_data() {
        QTest::addColumn<QString>("text");
        for (const HostileName& name : kHostileNames) {
            if (name.text.size() < 1000) {
                QTest::newRow(name.what) << name.text;
            }
        }
    }

    void everySurfaceShowsTheTextAsItIs() {
        QFETCH(QString, text);
        QWidget window;
        window.resize(400, 300);

        auto* label = CreateLabel(&window, QStringLiteral("Label"));
        SetPlainText(*label, text);
        QCOMPARE(RenderAs(label->text(), label->textFormat()).markup, false);
        QCOMPARE(label->text(), text);

        SetPlainWindowTitle(window, text);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowHandle()->title(), text);
        QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name), text);

        auto* box = new QCheckBox(&window);
        box->move(10, 10);
        box->show();
        SetPlainToolTip(*box, text);
        AskForToolTip(*box, {2, 2});
        QTRY_VERIFY(QToolTip::isVisible());
        const RenderedText tip = ShownToolTip();
        QCOMPARE(tip.shown, text);
        QCOMPARE(tip.resources, QStringList());
        QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Description), text);
        QToolTip::hideText();
    }

    void itemToolTipsShowTheTextAsItIs_data() { everySurfaceShowsTheTextAsItIs_data(); }

    void itemToolTipsShowTheTextAsItIs() {
        QFETCH(QString, text);
        QStandardItemModel model(1, 1);
        model.setData(model.index(0, 0), text, Qt::ToolTipRole);
        QTableView view;
        view.setModel(&model);
        ShowPlainToolTips(view);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        AskForToolTip(*view.viewport(), view.visualRect(model.index(0, 0)).center());
        QTRY_VERIFY(QToolTip::isVisible());
        const RenderedText tip = ShownToolTip();
        QCOMPARE(tip.shown, text);
        QCOMPARE(tip.resources, QStringList());
        QToolTip::hideText();
    }

    // The program's own boxes, and one Qt's file dialog opens the same way before it replaces a
    // file it names.
    void messageBoxesShowTheTextAsItIs_data() { everySurfaceShowsTheTextAsItIs_data(); }

    void messageBoxesShowTheTextAsItIs() {
        QFETCH(QString, text);
        ModalBoxWatcher boxes;
        ShowWarningBox(nullptr, text);
        QVERIFY(AskYesNo(nullptr, text));
        QMessageBox::warning(nullptr, QStringLiteral("Speichern"),
                             text + QStringLiteral(" ersetzen?"));
        QCOMPARE(boxes.Seen().size(), 3);
        for (const SeenMessageBox& seen : boxes.Seen()) {
            QCOMPARE(RenderAs(seen.text, seen.format).shown, seen.text);
            QVERIFY(seen.text.startsWith(text));
        }
    }

    void aLineOfTextIsShortenedToItsWidth() {
        QWidget window;
        auto* line = CreateLabel<ElidedLabel>(&window, QStringLiteral("Line"));
        const QString whole = QString(300, QLatin1Char('W'));
        line->ShowText(whole);
        line->resize(200, line->sizeHint().height());
        QCOMPARE(line->WholeText(), whole);
        QVERIFY(line->text().endsWith(u'…'));
        QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) <= 200);
        QVERIFY(line->minimumSizeHint().width() < 200 ||
                line->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored);
    }
};

QTEST_MAIN(PlainTextTest)
#include "PlainTextTest.moc"
