#include "lernstand/window/FactView.h"

#include "common/ui/PlainText.h"
#include "facts/Fact.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QPen>
#include <QStyleOptionViewItem>
#include <QTableView>

namespace {

constexpr int kMinimumRowPixels = 16;
constexpr int kHeaderPadding = 12;

} // namespace

QTableView* CreateFactView(QWidget* parent, const QString& name, const QString& accessibleName,
                           QAbstractItemModel* model, QAbstractItemDelegate* delegate) {
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setAccessibleName(accessibleName);
    table->setModel(model);
    delegate->setParent(table);
    table->setItemDelegate(delegate);
    ShowPlainToolTips(*table);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab moves on to the buttons; the arrow keys walk the facts.
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setMinimumSectionSize(kMinimumRowPixels);
    // Wide enough for the widest row header in any face it may take, so that a slanted one is
    // never cut off.
    QFont widest = table->verticalHeader()->font();
    widest.setBold(true);
    widest.setItalic(true);
    table->verticalHeader()->setMinimumWidth(
        QFontMetrics(widest).horizontalAdvance(FactHeader(kRows - 1, Qt::Vertical)) +
        kHeaderPadding);
    return table;
}

QString FactHeader(int section, Qt::Orientation orientation) {
    return orientation == Qt::Horizontal ? QString::number(section + 1)
                                         : QStringLiteral("Reihe %1").arg(section + 1);
}

void PaintFocusFrame(QPainter& painter, const QStyleOptionViewItem& option) {
    if (!option.state.testFlag(QStyle::State_HasFocus) &&
        !option.state.testFlag(QStyle::State_Selected)) {
        return;
    }
    painter.save();
    painter.setPen(QPen(option.palette.color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(option.rect.adjusted(1, 1, -1, -1));
    painter.restore();
}
