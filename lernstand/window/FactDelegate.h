#pragma once

#include <QStyledItemDelegate>

// Paints a fact's cell as its state's box; the current cell gets a frame so keyboard users see
// where they are.
class FactDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
