#include "lernstand/window/FactDelegate.h"

#include "lernstand/window/FactTableModel.h"
#include "lernstand/window/FactView.h"
#include "lernstand/window/StatePainting.h"

#include <QFontMetrics>
#include <QPainter>

void FactDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const auto state = static_cast<FactState>(index.data(FactTableModel::kStateRole).toInt());
    PaintStateBox(*painter, option.rect, state, index.data(Qt::DisplayRole).toString(),
                  option.font);
    PaintFocusFrame(*painter, option);
}

QSize FactDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    const QFontMetrics metrics(option.font);
    return {metrics.horizontalAdvance(QStringLiteral("10 · 20  ")) +
                MarkWidth(FactState::Sure, option.font) + 16,
            metrics.height() + 6};
}
