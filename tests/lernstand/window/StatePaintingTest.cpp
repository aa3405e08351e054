#include "lernstand/window/StatePainting.h"

#include "common/ui/Fonts.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

constexpr QSize kBox(90, 24);

// The columns, counted from the box's left edge, holding a pixel of the state's ink.
QList<int> InkedColumns(FactState state) {
    QImage image(kBox, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintStateBox(painter, image.rect(), state, QString(), SansSerifFont(14));
    painter.end();
    const QColor ink = LookOf(state).ink;
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - ink.red()) + qAbs(pixel.green() - ink.green()) +
                    qAbs(pixel.blue() - ink.blue()) <
                40) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

} // namespace

Q_DECLARE_METATYPE(FactState)

class StatePaintingTest : public QObject {
    Q_OBJECT

private slots:
    // The marks must show whatever fonts are installed: the program's own have no ✓ or ✗.
    void marksAreDrawnCentredAndAsWideAsSaid_data() {
        QTest::addColumn<FactState>("state");
        QTest::newRow("neu") << FactState::New;
        QTest::newRow("üben") << FactState::Practise;
        QTest::newRow("fast sicher") << FactState::AlmostSure;
        QTest::newRow("sicher") << FactState::Sure;
    }
    void marksAreDrawnCentredAndAsWideAsSaid() {
        QFETCH(FactState, state);
        const QList<int> columns = InkedColumns(state);
        const int width = MarkWidth(state, SansSerifFont(14));
        if (state == FactState::New) {
            QVERIFY(columns.isEmpty());
            QCOMPARE(width, 0);
            return;
        }
        QVERIFY(!columns.isEmpty());
        const int inked = columns.last() - columns.first() + 1;
        QVERIFY2(inked <= width && inked >= width - 4, qPrintable(QString::number(inked)));
        QVERIFY(qAbs(columns.first() + columns.last() + 1 - kBox.width()) <= 2);
    }
};

QTEST_MAIN(StatePaintingTest)
#include "StatePaintingTest.moc"
