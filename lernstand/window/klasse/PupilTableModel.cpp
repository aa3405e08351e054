#include "lernstand/window/klasse/PupilTableModel.h"

#include "common/ShownText.h"
#include "facts/LocalCalendar.h"

#include <QColor>
#include <QFont>

#include <array>
#include <set>
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

// Everything a row shows of its pupil.
bool ShownAlike(const ClassPupil& one, const ClassPupil& other) {
    return one.name == other.name && one.note == other.note && one.listRow == other.listRow &&
           one.sortKeys == other.sortKeys && one.Counted() == other.Counted();
}

std::set<std::filesystem::path> FilesOf(const std::vector<const ClassPupil*>& pupils) {
    std::set<std::filesystem::path> files;
    for (const ClassPupil* pupil : pupils) {
        files.insert(pupil->journal.file);
    }
    return files;
}

} // namespace

PupilTableModel::PupilTableModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void PupilTableModel::SetOverview(std::shared_ptr<const ClassOverview> overview) {
    // The pupils before stay while rows still point to them.
    const std::shared_ptr<const ClassOverview> before =
        std::exchange(overview_, std::move(overview));
    const std::vector<ClassPupil>& now = overview_->pupils;
    RemoveGone(now);
    InsertCome(now);
    const auto sameFiles = [this, &now] {
        for (std::size_t row = 0; row < now.size(); ++row) {
            if (rows_[row]->journal.file != now[row].journal.file) {
                return false;
            }
        }
        return true;
    };
    // Files in another order than before, which a class folder's never are, start anew.
    if (rows_.size() != now.size() || !sameFiles()) {
        beginResetModel();
        rows_.clear();
        for (const ClassPupil& pupil : now) {
            rows_.push_back(&pupil);
        }
        endResetModel();
        return;
    }
    int changedFrom = -1;
    for (std::size_t row = 0; row <= now.size(); ++row) {
        const bool changed =
            row < now.size() && rows_[row] != &now[row] && !ShownAlike(*rows_[row], now[row]);
        if (row < now.size()) {
            rows_[row] = &now[row];
        }
        if (changed && changedFrom < 0) {
            changedFrom = static_cast<int>(row);
        } else if (!changed && changedFrom >= 0) {
            Changed(changedFrom, static_cast<int>(row) - 1);
            changedFrom = -1;
        }
    }
}

void PupilTableModel::RemoveGone(const std::vector<ClassPupil>& now) {
    std::set<std::filesystem::path> staying;
    for (const ClassPupil& pupil : now) {
        staying.insert(pupil.journal.file);
    }
    const auto gone = [this, &staying](int row) {
        return staying.count(rows_[static_cast<std::size_t>(row)]->journal.file) == 0;
    };
    for (int last = static_cast<int>(rows_.size()) - 1; last >= 0; --last) {
        if (!gone(last)) {
            continue;
        }
        int first = last;
        while (first > 0 && gone(first - 1)) {
            --first;
        }
        beginRemoveRows({}, first, last);
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        endRemoveRows();
        last = first;
    }
}

void PupilTableModel::InsertCome(const std::vector<ClassPupil>& now) {
    const std::set<std::filesystem::path> shown = FilesOf(rows_);
    const auto came = [&now, &shown](std::size_t row) {
        return shown.count(now[row].journal.file) == 0;
    };
    for (std::size_t first = 0; first < now.size() && first <= rows_.size(); ++first) {
        if (!came(first)) {
            continue;
        }
        std::size_t end = first;
        while (end < now.size() && came(end)) {
            ++end;
        }
        beginInsertRows({}, static_cast<int>(first), static_cast<int>(end) - 1);
        std::vector<const ClassPupil*> pupils;
        for (std::size_t row = first; row < end; ++row) {
            pupils.push_back(&now[row]);
        }
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(first), pupils.begin(),
                     pupils.end());
        endInsertRows();
        first = end - 1;
    }
}

void PupilTableModel::Changed(int first, int last) {
    emit dataChanged(index(first, 0), index(last, static_cast<int>(kPupilColumns) - 1));
}

void PupilTableModel::SetOwnAssignments(std::map<std::filesystem::path, std::string> assignments) {
    std::swap(ownAssignments_, assignments);
    const auto own = [](const std::map<std::filesystem::path, std::string>& texts,
                        const std::filesystem::path& file) {
        const auto text = texts.find(file);
        return text == texts.end() ? std::string() : text->second;
    };
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const std::filesystem::path& file = rows_[row]->journal.file;
        if (own(assignments, file) != own(ownAssignments_, file)) {
            Changed(static_cast<int>(row), static_cast<int>(row));
        }
    }
}

int PupilTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PupilTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kPupilColumns);
}

QVariant PupilTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const ClassPupil& pupil = *rows_[static_cast<std::size_t>(index.row())];
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
    const auto assignment = ownAssignments_.find(pupil.journal.file);
    const bool ownAssignment = assignment != ownAssignments_.end();
    if (role == Qt::ToolTipRole) {
        return QString::fromStdString(ShownPath(pupil.journal.file) +
                                      (note.empty() ? "" : "\n" + note) +
                                      (ownAssignment ? "\n" + assignment->second : ""));
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
        return QString::fromStdString(pupil.name + (note.empty() ? "" : " – " + note) +
                                      (ownAssignment ? " – eigener Auftrag" : ""));
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
