#include "common/ui/SvgPicture.h"

#include <QSvgRenderer>
#include <QTest>

// The pictures must look the same however they were rendered: ahead on a worker thread or at
// the first paint, and again after the widget changed its size.
class SvgPictureTest : public QObject {
    Q_OBJECT

private slots:
    void paintsTheWholePictureAtItsSize_data();
    void paintsTheWholePictureAtItsSize();
};

void SvgPictureTest::paintsTheWholePictureAtItsSize_data() {
    QTest::addColumn<bool>("renderAhead");
    QTest::addColumn<QSize>("sizeAtPaint");

    QTest::newRow("at first paint") << false << QSize(420, 250);
    QTest::newRow("ahead") << true << QSize(420, 250);
    QTest::newRow("ahead, then resized") << true << QSize(210, 125);
}

void SvgPictureTest::paintsTheWholePictureAtItsSize() {
    QFETCH(bool, renderAhead);
    QFETCH(QSize, sizeAtPaint);
    const QString splash = QStringLiteral(":/assets/Splash.svg");

    SvgPicture picture(splash, nullptr);
    picture.resize(420, 250);
    if (renderAhead) {
        picture.RenderAhead();
    }
    picture.resize(sizeAtPaint);
    const QImage painted = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);

    QSvgRenderer renderer(splash);
    const QImage expected = RenderSvg(renderer, sizeAtPaint, Qt::black);
    QCOMPARE(painted, expected);
}

QTEST_MAIN(SvgPictureTest)
#include "SvgPictureTest.moc"
