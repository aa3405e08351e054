#pragma once

#include "lernstand/ClassOverview.h"

#include <QAbstractTableModel>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The pupils of a class folder, one row each: name, answers, share right, days practised, last
// day, facts sure and to practise; a file that is not counted says why beside its name, and so
// does a pupil's own assignment. Sorting by a column sorts by the overview's sort keys, not by the
// text shown.
class PupilTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kSortRole = Qt::UserRole;

    explicit PupilTableModel(QObject* parent = nullptr);

    // Each row stays the same file's: a pupil whose file went is removed, one whose file came is
    // inserted, and the rows whose pupil shows differently are told as changed, so that a view
    // keeps its sorting, its selection and where it is scrolled to.
    void SetOverview(std::shared_ptr<const ClassOverview> overview);
    // Each pupil's own assignment in words, by the pupil's file.
    void SetOwnAssignments(std::map<std::filesystem::path, std::string> assignments);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void RemoveGone(const std::vector<ClassPupil>& now);
    void InsertCome(const std::vector<ClassPupil>& now);
    // Tells the rows from first to last (each included) as changed in every column.
    void Changed(int first, int last);

    std::shared_ptr<const ClassOverview> overview_ = std::make_shared<ClassOverview>();
    // Each row's pupil; during an update some still point into the overview before.
    std::vector<const ClassPupil*> rows_;
    std::map<std::filesystem::path, std::string> ownAssignments_;
};
