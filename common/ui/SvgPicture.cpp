#include "common/ui/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent)
    , resource_(resource) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SvgPicture::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (cache_.size() != pixels) {
        QSvgRenderer renderer(resource_);
        QPixmap pixmap(pixels);
        pixmap.fill(Qt::black);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        pixmap.setDevicePixelRatio(ratio);
        cache_ = pixmap;
    }
    QPainter(this).drawPixmap(0, 0, cache_);
}
