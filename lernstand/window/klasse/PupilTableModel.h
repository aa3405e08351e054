#pragma once

#include "lernstand/ClassFolder.h"

#include <QAbstractTableModel>

#include <chrono>
#include <vector>

// The pupils of a class folder, one row each: name, answers, share right, days practised, last
// day, facts sure and to practise; a file that is not counted says why beside its name. Sorting by
// a column sorts by its number or date, not its text.
class PupilTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kSortRole = Qt::UserRole;

    explicit PupilTableModel(QObject* parent = nullptr);

    void SetPupils(std::vector<PupilJournal> pupils, std::chrono::milliseconds threshold);
    const std::vector<PupilJournal>& Pupils() const { return pupils_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<PupilJournal> pupils_;
    std::vector<PupilStates> states_;
};
