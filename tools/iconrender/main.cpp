// kalkuno_iconrender <icon.svg> <icon.png> <size>: renders the SVG to a square PNG. No
// application object, so the build needs no display; the icon is shapes only, no text.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("usage: kalkuno_iconrender <icon.svg> <icon.png> <size>\n", stderr);
        return 2;
    }
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&isNumber);
    if (!isNumber || size <= 0) {
        std::fprintf(stderr, "kalkuno_iconrender: bad size '%s'\n", argv[3]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "kalkuno_iconrender: cannot read '%s'\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "kalkuno_iconrender: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
