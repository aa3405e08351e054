#include "lernstand/window/klasse/PupilTableModel.h"

#include "common/ShownText.h"
#include "facts/LocalCalendar.h"

#include <QColor>
#include <QFont>

#include <array>
#include <utility>

namespace {

constexpr std::array<const char*, kPupilColumns> kHeaders = {
    "Name", "Antworten", "richtig", "Tage", "zuletzt", "sicher", "üben"};

QVariant SortKey(const PupilSortKey& key) {
    if (const auto* text = std::get_if<std::string>(&key)) {
        return QString::fromStdString(*text);
    }
    return static_cast<qlonglong>(std::get<std::int64_t>(key));
}

} // namespace

PupilTableModel::PupilTableModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void PupilTableModel::SetOverview(std::shared_ptr<const ClassOverview> overview) {
    beginResetModel();
    overview_ = std::move(overview);
    endResetModel();
}

int PupilTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(overview_->pupils.size());
}

int PupilTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kPupilColumns);
}

QVariant PupilTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const ClassPupil& pupil = overview_->pupils[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    // A file that is not counted stands apart by its slant, the grey still reading at 5:1.
    if (role == Qt::ForegroundRole || role == Qt::FontRole) {
        if (pupil.Counted()) {
            return {};
        }
        QFont slanted;
        slanted.setItalic(true);
        return role == Qt::FontRole ? QVariant(slanted) : QVariant(QColor(96, 96, 96));
    }
    if (role == kSortRole) {
        return SortKey(pupil.sortKeys.at(column));
    }
    const std::string& note = pupil.note;
    if (role == Qt::ToolTipRole) {
        return QString::fromStdString(ShownPath(pupil.journal.file) +
                                      (note.empty() ? "" : "\n" + note));
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const AnswerSummary& summary = pupil.journal.summary;
    const bool read = pupil.journal.Read();
    const auto number = [read](int value) { return read ? QVariant(value) : QVariant(); };
    switch (static_cast<PupilColumn>(column)) {
    case PupilColumn::Name:
        // Why a file does not count stands beside its name, where the eye starts.
        return QString::fromStdString(pupil.name + (note.empty() ? "" : " – " + note));
    case PupilColumn::Answers:
        return number(summary.answers);
    case PupilColumn::Right:
        return read && summary.answers > 0
                   ? QVariant(QStringLiteral("%1 %").arg(RightPercent(summary)))
                   : QVariant();
    case PupilColumn::Days:
        return number(summary.days);
    case PupilColumn::LastDay:
        return summary.lastDay ? QVariant(QString::fromStdString(DateText(*summary.lastDay)))
                               : QVariant();
    case PupilColumn::Sure:
        return number(pupil.states.sure);
    case PupilColumn::Practise:
        return number(pupil.states.practise);
    }
    return {};
}

QVariant PupilTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(kPupilColumns)) {
        return {};
    }
    return QString::fromUtf8(kHeaders.at(static_cast<std::size_t>(section)));
}
