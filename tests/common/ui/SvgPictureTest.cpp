#include "common/ui/SvgPicture.h"

#include <QTest>

// What a child sees of each picture, however it was rendered: ahead on a worker thread or at the
// first paint, and again after the widget changed its size.
class SvgPictureTest : public QObject {
    Q_OBJECT

private slots:
    void picturesFillTheWidgetWithTheirColours_data();
    void picturesFillTheWidgetWithTheirColours();
    void renderingAheadLooksLikeRenderingAtThePaint();
};

namespace {

QImage Painted(SvgPicture& picture) {
    return picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour at a point given in fractions of the picture's width and height.
QColor ColourAt(const QImage& image, QPointF where) {
    return image.pixelColor(static_cast<int>(where.x() * (image.width() - 1)),
                            static_cast<int>(where.y() * (image.height() - 1)));
}

bool Bluish(const QColor& c) {
    return c.blue() > c.red() + 60 && c.blue() > c.green();
}
bool Wooden(const QColor& c) {
    return c.red() > c.green() && c.green() > c.blue() && c.red() > 80 && c.red() < 200;
}
bool Dark(const QColor& c) {
    return c.lightness() < 80;
}
bool Yellow(const QColor& c) {
    return c.red() > 200 && c.green() > 150 && c.blue() < 120;
}

} // namespace

void SvgPictureTest::picturesFillTheWidgetWithTheirColours_data() {
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPointF>("where");
    QTest::addColumn<int>("kind");

    enum { kBlue, kWood, kDark, kYellow };
    // The corners show that the picture is stretched over the whole widget, at any size.
    QTest::newRow("splash, top left")
        << ":/assets/Splash.svg" << QSize(420, 250) << QPointF(0, 0) << int(kBlue);
    QTest::newRow("splash, bottom right, double size")
        << ":/assets/Splash.svg" << QSize(840, 500) << QPointF(1, 1) << int(kBlue);
    QTest::newRow("chalkboard frame")
        << ":/assets/Chalkboard.svg" << QSize(588, 352) << QPointF(0.005, 0.5) << int(kWood);
    QTest::newRow("chalkboard frame, right edge")
        << ":/assets/Chalkboard.svg" << QSize(588, 352) << QPointF(0.995, 0.5) << int(kWood);
    QTest::newRow("chalkboard writing surface")
        << ":/assets/Chalkboard.svg" << QSize(588, 352) << QPointF(0.5, 0.4) << int(kDark);
    QTest::newRow("star") << ":/assets/RewardStar.svg" << QSize(185, 153) << QPointF(0.5, 0.5)
                          << int(kYellow);
}

void SvgPictureTest::picturesFillTheWidgetWithTheirColours() {
    QFETCH(QString, resource);
    QFETCH(QSize, size);
    QFETCH(QPointF, where);
    QFETCH(int, kind);

    SvgPicture picture(resource, nullptr);
    picture.resize(size);
    const QColor colour = ColourAt(Painted(picture), where);
    const bool expected[] = {Bluish(colour), Wooden(colour), Dark(colour), Yellow(colour)};
    QVERIFY2(expected[kind], qPrintable(colour.name()));
}

void SvgPictureTest::renderingAheadLooksLikeRenderingAtThePaint() {
    const QString splash = QStringLiteral(":/assets/Splash.svg");
    for (const QSize size : {QSize(420, 250), QSize(210, 125)}) {
        SvgPicture atPaint(splash, nullptr);
        atPaint.resize(size);

        SvgPicture ahead(splash, nullptr);
        ahead.resize(420, 250);
        ahead.RenderAhead();
        ahead.resize(size);

        QCOMPARE(Painted(ahead), Painted(atPaint));
    }
}

QTEST_MAIN(SvgPictureTest)
#include "SvgPictureTest.moc"
