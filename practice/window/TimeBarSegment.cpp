#include "practice/window/TimeBarSegment.h"

#include <QPainter>

TimeBarSegment::TimeBarSegment(int tag, QWidget* parent)
    : QWidget(parent)
    , tag_(tag)
    , color_(Qt::white) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TimeBarSegment::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TimeBarSegment::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), color_);
}
