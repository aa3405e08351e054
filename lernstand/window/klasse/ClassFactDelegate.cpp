#include "lernstand/window/klasse/ClassFactDelegate.h"

#include "lernstand/window/FactView.h"
#include "lernstand/window/klasse/ClassTableModel.h"

#include <QPainter>

namespace {

constexpr int kEdgeDarker = 115;
constexpr qreal kCornerRadius = 3.0;
const QColor kInk(30, 30, 30);

} // namespace

QColor ClassShareColour(double share) {
    if (share <= 0) {
        return {236, 236, 236};
    }
    if (share <= 0.25) {
        return {250, 215, 210};
    }
    return share <= 0.5 ? QColor(244, 176, 166) : QColor(232, 128, 115);
}

void ClassFactDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QColor fill = ClassShareColour(index.data(ClassTableModel::kShareRole).toDouble());
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(fill.darker(kEdgeDarker));
    painter->setBrush(fill);
    painter->drawRoundedRect(QRectF(option.rect).adjusted(1.5, 1.5, -1.5, -1.5), kCornerRadius,
                             kCornerRadius);
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(kInk);
    painter->drawText(option.rect, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    painter->restore();
    PaintFocusFrame(*painter, option);
}
