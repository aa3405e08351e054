#include "lernstand/StatePainting.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace {

constexpr int kPadding = 6;
constexpr qreal kCornerRadius = 3.0;
constexpr int kEdgeDarker = 115;

} // namespace

StateLook LookOf(FactState state) {
    switch (state) {
    case FactState::New:
        return {QColor(236, 236, 236), QColor(110, 110, 110), QString()};
    case FactState::Practise:
        return {QColor(247, 193, 190), QColor(163, 18, 11), QStringLiteral("✗")};
    case FactState::AlmostSure:
        return {QColor(251, 230, 162), QColor(122, 90, 0), QStringLiteral("✓")};
    case FactState::Sure:
        return {QColor(191, 229, 180), QColor(29, 107, 34), QStringLiteral("✓✓")};
    }
    return {};
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
    const QRect inner = box.adjusted(kPadding, 0, -kPadding, 0);
    QFont symbolFont = font;
    symbolFont.setBold(true);
    if (label.isEmpty()) {
        painter.setFont(symbolFont);
        painter.setPen(look.ink);
        painter.drawText(box, Qt::AlignCenter, look.symbol);
        painter.restore();
        return;
    }
    painter.setFont(font);
    painter.setPen(state == FactState::New ? look.ink : QColor(40, 40, 40));
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, label);
    painter.setFont(symbolFont);
    painter.setPen(look.ink);
    painter.drawText(inner, Qt::AlignRight | Qt::AlignVCenter, look.symbol);
    painter.restore();
}
