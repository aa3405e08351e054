#include "common/ui/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

QImage RenderSvgFile(const QString& resource, const QSize& pixels, qreal ratio) {
    QSvgRenderer renderer(resource);
    QImage image = RenderSvg(renderer, pixels, Qt::black);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent)
    , resource_(resource) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

SvgPicture::~SvgPicture() {
    if (ahead_.valid()) {
        ahead_.wait();
    }
}

void SvgPicture::RenderAhead() {
    if (!ahead_.valid()) {
        ahead_ = std::async(std::launch::async, RenderSvgFile, resource_, PixelSize(),
                            devicePixelRatioF());
    }
}

QSize SvgPicture::PixelSize() const {
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

void SvgPicture::paintEvent(QPaintEvent*) {
    if (ahead_.valid()) {
        cache_ = ahead_.get();
    }
    const qreal ratio = devicePixelRatioF();
    if (cache_.size() != PixelSize() || cache_.devicePixelRatio() != ratio) {
        cache_ = RenderSvgFile(resource_, PixelSize(), ratio);
    }
    QPainter(this).drawImage(0, 0, cache_);
}

QImage RenderSvg(QSvgRenderer& renderer, const QSize& pixels, const QColor& ground) {
    QImage image(pixels, ground.alpha() == 255 ? QImage::Format_RGB32
                                               : QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}
