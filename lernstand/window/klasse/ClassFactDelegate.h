#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// The colour of a fact's box by the share of the pupils who practise it: the more, the redder.
// Dark text reads on every one of them at more than 4.5:1.
QColor ClassShareColour(double share);

// Paints a fact of the class table: its colour, and the number of pupils who practise it.
class ClassFactDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
