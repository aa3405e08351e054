#pragma once

#include "facts/FactLevel.h"
#include "facts/FactTable.h"
#include "facts/RowsInForce.h"

#include <QAbstractTableModel>

#include <array>
#include <chrono>
#include <optional>

// The twenty rows of ten facts, each with its state, for a table view: the view shows the fact
// "multiplier · row" of column multiplier - 1 in row row - 1.
class FactTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The fact's FactState as an int.
    static constexpr int kStateRole = Qt::UserRole;

    explicit FactTableModel(QObject* parent = nullptr);

    void SetFacts(FactTable facts);
    void SetThreshold(std::chrono::milliseconds threshold);
    // Rows the drill does not practise get a paler header.
    void SetRowsInForce(const RowSwitches& rowsOn);
    // Each fact's level and next day join its texts while "Gezielt üben" is on.
    void SetProgress(const std::optional<FactProgressTable>& progress, std::chrono::sys_days today);

    const FactTable& Facts() const { return facts_; }
    std::chrono::milliseconds Threshold() const { return threshold_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void AllCellsChanged();

    FactTable facts_;
    std::chrono::milliseconds threshold_;
    RowSwitches rowsOn_{};
    std::optional<FactProgressTable> progress_;
    std::chrono::sys_days today_{};
};
