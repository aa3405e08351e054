#pragma once

#include "lernstand/ClassOverview.h"

#include <QAbstractTableModel>

#include <memory>

// The pupils of a class folder, one row each: name, answers, share right, days practised, last
// day, facts sure and to practise; a file that is not counted says why beside its name. Sorting by
// a column sorts by the overview's sort keys, not by the text shown.
class PupilTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kSortRole = Qt::UserRole;

    explicit PupilTableModel(QObject* parent = nullptr);

    void SetOverview(std::shared_ptr<const ClassOverview> overview);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const ClassOverview> overview_ = std::make_shared<ClassOverview>();
};
