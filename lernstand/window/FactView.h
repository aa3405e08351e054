#pragma once

#include <QString>
#include <Qt>

class QAbstractItemDelegate;
class QAbstractItemModel;
class QStyleOptionViewItem;
class QPainter;
class QTableView;
class QWidget;

// A table of the twenty rows of ten facts as both Lernstand windows show it: every box the same
// size, filling the view, walked with the arrow keys.
QTableView* CreateFactView(QWidget* parent, const QString& name, const QString& accessibleName,
                           QAbstractItemModel* model, QAbstractItemDelegate* delegate);

// "3" above the third column, "Reihe 7" beside the seventh row.
QString FactHeader(int section, Qt::Orientation orientation);

// The frame that shows keyboard users which box they are on.
void PaintFocusFrame(QPainter& painter, const QStyleOptionViewItem& option);
