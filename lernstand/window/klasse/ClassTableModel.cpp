#include "lernstand/window/klasse/ClassTableModel.h"

#include "lernstand/window/FactView.h"

ClassTableModel::ClassTableModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void ClassTableModel::SetFacts(const ClassFacts& facts) {
    facts_ = facts;
    emit dataChanged(index(0, 0), index(kRows - 1, kMultipliers - 1));
}

int ClassTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRows;
}

int ClassTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kMultipliers;
}

QVariant ClassTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const Fact fact{index.column() + 1, index.row() + 1};
    const int practising = facts_.practising.at(FactIndex(fact));
    switch (role) {
    case Qt::DisplayRole:
        // An empty box reads as "nobody" on paper as well.
        return practising > 0 ? QString::number(practising) : QString();
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(ClassFactText(fact, practising, facts_.pupils));
    case kShareRole:
        return facts_.pupils > 0 ? static_cast<double>(practising) / facts_.pupils : 0.0;
    default:
        return {};
    }
}

QVariant ClassTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return role == Qt::DisplayRole ? QVariant(FactHeader(section, orientation)) : QVariant();
}
