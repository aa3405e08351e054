#include "lernstand/window/klasse/PupilTableModel.h"

#include "facts/LocalCalendar.h"

#include <QColor>
#include <QFont>

#include <array>
#include <utility>

namespace {

enum Column { kName, kAnswers, kRight, kDays, kLastDay, kSure, kPractise, kColumns };

constexpr std::array<const char*, kColumns> kHeaders = {"Name",    "Antworten", "richtig", "Tage",
                                                        "zuletzt", "sicher",    "üben"};

} // namespace

PupilTableModel::PupilTableModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void PupilTableModel::SetPupils(std::vector<PupilJournal> pupils,
                                std::chrono::milliseconds threshold) {
    beginResetModel();
    pupils_ = std::move(pupils);
    states_.clear();
    for (const PupilJournal& pupil : pupils_) {
        states_.push_back(CountStates(pupil.facts, threshold));
    }
    endResetModel();
}

int PupilTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(pupils_.size());
}

int PupilTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant PupilTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    const PupilJournal& pupil = pupils_[row];
    // A file that is not counted stands apart by its slant, the grey still reading at 5:1.
    if (role == Qt::ForegroundRole || role == Qt::FontRole) {
        if (pupil.Counted()) {
            return {};
        }
        QFont slanted;
        slanted.setItalic(true);
        return role == Qt::FontRole ? QVariant(slanted) : QVariant(QColor(96, 96, 96));
    }
    if (role != Qt::DisplayRole && role != kSortRole && role != Qt::ToolTipRole) {
        return {};
    }
    const AnswerSummary& summary = pupil.summary;
    const bool read = pupil.reading.found == JournalReading::Found::Answers;
    const std::string note = PupilNote(pupil);
    if (role == Qt::ToolTipRole) {
        return QString::fromStdString(pupil.file.string() + (note.empty() ? "" : "\n" + note));
    }
    const bool sorting = role == kSortRole;
    const auto number = [read, sorting](int value) {
        return read ? QVariant(value) : (sorting ? QVariant(-1) : QVariant());
    };
    switch (index.column()) {
    case kName:
        // Why a file does not count stands beside its name, where the eye starts.
        return QString::fromStdString((read ? pupil.name : pupil.file.filename().string()) +
                                      (note.empty() || sorting ? "" : " – " + note));
    case kAnswers:
        return number(summary.answers);
    case kRight:
        if (!read || summary.answers == 0) {
            return sorting ? QVariant(-1) : QVariant();
        }
        return sorting ? QVariant(RightPercent(summary))
                       : QVariant(QStringLiteral("%1 %").arg(RightPercent(summary)));
    case kDays:
        return number(summary.days);
    case kLastDay:
        if (!summary.lastDay) {
            return sorting ? QVariant(0) : QVariant();
        }
        return sorting
                   ? QVariant(static_cast<qlonglong>(summary.lastDay->time_since_epoch().count()))
                   : QVariant(QString::fromStdString(DateText(*summary.lastDay)));
    case kSure:
        return number(states_[row].sure);
    case kPractise:
        return number(states_[row].practise);
    default:
        return {};
    }
}

QVariant PupilTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns) {
        return {};
    }
    return QString::fromUtf8(kHeaders.at(static_cast<std::size_t>(section)));
}
