#pragma once

#include "lernstand/ClassOverview.h"

#include <QAbstractTableModel>

// The twenty rows of ten facts for a class: each fact with how many of the pupils have it to
// practise, laid out as FactTableModel lays out one child's.
class ClassTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The share of the pupils who practise the fact, 0 to 1.
    static constexpr int kShareRole = Qt::UserRole;

    explicit ClassTableModel(QObject* parent = nullptr);

    void SetFacts(const ClassFacts& facts);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ClassFacts facts_;
};
