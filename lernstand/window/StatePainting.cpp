#include "lernstand/window/StatePainting.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QtMath>

#include <algorithm>

namespace {

constexpr int kPadding = 6;
constexpr qreal kCornerRadius = 3.0;
constexpr int kEdgeDarker = 115;
// A mark is as high as the capitals beside it; its stroke as heavy as bold type.
constexpr qreal kStrokeShare = 0.18;
constexpr qreal kThinnestStroke = 1.5;
// The second tick of "sicher" starts before the first ends, as the two typed ticks do.
constexpr qreal kSecondTickOffset = 0.9;

qreal MarkHeight(const QFont& font) {
    return QFontMetricsF(font).capHeight();
}

// One tick or cross in a square of the given side, its top left corner at the origin.
QPainterPath Tick(qreal side) {
    QPainterPath tick;
    tick.moveTo(0.05 * side, 0.55 * side);
    tick.lineTo(0.38 * side, 0.9 * side);
    tick.lineTo(0.95 * side, 0.08 * side);
    return tick;
}

QPainterPath Cross(qreal side) {
    QPainterPath cross;
    cross.moveTo(0.12 * side, 0.12 * side);
    cross.lineTo(0.88 * side, 0.88 * side);
    cross.moveTo(0.88 * side, 0.12 * side);
    cross.lineTo(0.12 * side, 0.88 * side);
    return cross;
}

qreal Stroke(qreal side) {
    return std::max(kThinnestStroke, kStrokeShare * side);
}

QPainterPath MarkPath(FactState state, qreal side) {
    switch (state) {
    case FactState::New:
        return {};
    case FactState::Practise:
        return Cross(side);
    case FactState::AlmostSure:
        return Tick(side);
    case FactState::Sure:
        return Tick(side) + Tick(side).translated(kSecondTickOffset * side, 0);
    }
    return {};
}

qreal MarkWidthF(FactState state, qreal side) {
    return state == FactState::Sure ? (1 + kSecondTickOffset) * side
                                    : (state == FactState::New ? 0 : side);
}

// The marks are drawn rather than typed: the program's fonts have no ✓ or ✗, and a fallback
// font may be missing or look different on paper.
void PaintMark(QPainter& painter, const QRectF& area, FactState state, Qt::Alignment alignment,
               const QFont& font) {
    const qreal side = MarkHeight(font);
    const qreal width = MarkWidthF(state, side);
    const qreal left =
        alignment.testFlag(Qt::AlignRight) ? area.right() - width : area.center().x() - width / 2;
    const QPointF origin(left, area.center().y() - side / 2);
    QPen pen(LookOf(state).ink, Stroke(side));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(MarkPath(state, side).translated(origin));
}

} // namespace

StateLook LookOf(FactState state) {
    switch (state) {
    case FactState::New:
        // The grey text still reads at 5:1 on its box, as WCAG AA asks of every text.
        return {QColor(236, 236, 236), QColor(96, 96, 96), QString()};
    case FactState::Practise:
        return {QColor(247, 193, 190), QColor(163, 18, 11), QStringLiteral("✗")};
    case FactState::AlmostSure:
        return {QColor(251, 230, 162), QColor(122, 90, 0), QStringLiteral("✓")};
    case FactState::Sure:
        return {QColor(191, 229, 180), QColor(29, 107, 34), QStringLiteral("✓✓")};
    }
    return {};
}

int MarkWidth(FactState state, const QFont& font) {
    const qreal side = MarkHeight(font);
    return state == FactState::New ? 0 : qCeil(MarkWidthF(state, side) + Stroke(side));
}

void PaintStateBox(QPainter& painter, const QRect& box, FactState state, const QString& label,
                   const QFont& font) {
    const StateLook look = LookOf(state);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // A darker edge keeps the pale boxes apart from the background, on screen and on paper.
    painter.setPen(look.fill.darker(kEdgeDarker));
    painter.setBrush(look.fill);
    painter.drawRoundedRect(QRectF(box).adjusted(1.5, 1.5, -1.5, -1.5), kCornerRadius,
                            kCornerRadius);
    if (label.isEmpty()) {
        PaintMark(painter, box, state, Qt::AlignCenter, font);
        painter.restore();
        return;
    }
    const QRect inner = box.adjusted(kPadding, 0, -kPadding, 0);
    painter.setFont(font);
    painter.setPen(state == FactState::New ? look.ink : QColor(40, 40, 40));
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, label);
    PaintMark(painter, inner, state, Qt::AlignRight, font);
    painter.restore();
}
