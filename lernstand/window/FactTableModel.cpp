#include "lernstand/window/FactTableModel.h"

#include "lernstand/FactTexts.h"
#include "lernstand/window/FactView.h"
#include "settings/SettingsSchema.h"

#include <QColor>
#include <QFont>

#include <utility>

namespace {

QFont SwitchedOffFont() {
    QFont font;
    font.setItalic(true);
    return font;
}

} // namespace

FactTableModel::FactTableModel(QObject* parent)
    : QAbstractTableModel(parent)
    , threshold_(std::chrono::seconds(settings::kThresholdDefault)) {
    rowsOn_.fill(true);
}

void FactTableModel::SetFacts(FactTable facts) {
    facts_ = std::move(facts);
    AllCellsChanged();
}

void FactTableModel::SetThreshold(std::chrono::milliseconds threshold) {
    // Set again each time the window is activated; only a new threshold restyles the table.
    if (threshold != threshold_) {
        threshold_ = threshold;
        AllCellsChanged();
    }
}

void FactTableModel::SetRowsInForce(const std::array<bool, kRows>& rowsOn) {
    if (rowsOn != rowsOn_) {
        rowsOn_ = rowsOn;
        emit headerDataChanged(Qt::Vertical, 0, kRows - 1);
    }
}

void FactTableModel::SetProgress(const std::optional<FactProgressTable>& progress,
                                 std::chrono::sys_days today) {
    if (!progress && !progress_) {
        return;
    }
    progress_ = progress;
    today_ = today;
    AllCellsChanged();
}

int FactTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRows;
}

int FactTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kMultipliers;
}

QVariant FactTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const int row = index.row() + 1;
    const int multiplier = index.column() + 1;
    const FactState state = facts_.State(row, multiplier, threshold_);
    const std::string level =
        progress_ ? LevelText(progress_->at(FactIndex({multiplier, row})), today_) : "";
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(FactText({multiplier, row}));
    case Qt::AccessibleTextRole:
        return QString::fromStdString(FactStateText(multiplier, row, state) +
                                      (level.empty() ? "" : ", " + level));
    case Qt::ToolTipRole:
        return QString::fromStdString(
            FactToolTip(multiplier, row, state, facts_.Latest(row, multiplier), level));
    case Qt::AccessibleDescriptionRole:
        return QString::fromStdString(AnswerLines(facts_.Latest(row, multiplier)));
    case kStateRole:
        return static_cast<int>(state);
    default:
        return {};
    }
}

QVariant FactTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole) {
        return FactHeader(section, orientation);
    }
    if (orientation == Qt::Horizontal || section < 0 || section >= kRows) {
        return {};
    }
    const bool on = rowsOn_.at(static_cast<std::size_t>(section));
    switch (role) {
    // Grey at 5:1 on the header is too close to black to tell alone; the slant tells it too.
    case Qt::ForegroundRole:
        return on ? QVariant() : QVariant(QColor(96, 96, 96));
    case Qt::FontRole:
        return on ? QVariant() : QVariant(SwitchedOffFont());
    case Qt::ToolTipRole:
        return on ? QVariant() : QVariant(QStringLiteral("in den Einstellungen abgeschaltet"));
    default:
        return {};
    }
}

void FactTableModel::AllCellsChanged() {
    emit dataChanged(index(0, 0), index(kRows - 1, kMultipliers - 1));
}
