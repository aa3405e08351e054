#include "lernstand/FactDelegate.h"

#include "lernstand/FactTableModel.h"
#include "lernstand/StatePainting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

void FactDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const auto state = static_cast<FactState>(index.data(FactTableModel::kStateRole).toInt());
    PaintStateBox(*painter, option.rect, state, index.data(Qt::DisplayRole).toString(),
                  option.font);
    if (option.state.testFlag(QStyle::State_HasFocus) ||
        option.state.testFlag(QStyle::State_Selected)) {
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

QSize FactDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    const QFontMetrics metrics(option.font);
    return {metrics.horizontalAdvance(QStringLiteral("10 · 20  ")) +
                MarkWidth(FactState::Sure, option.font) + 16,
            metrics.height() + 6};
}
