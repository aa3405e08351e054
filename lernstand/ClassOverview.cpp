#include "lernstand/ClassOverview.h"

#include "common/ShownText.h"
#include "facts/LocalCalendar.h"
#include "lernstand/AnswerTable.h"
#include "lernstand/FactTexts.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/WorksheetChoice.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace {

void MarkOlderCopies(std::vector<ClassPupil>& pupils) {
    std::map<std::string, ClassPupil*> newest;
    const auto key = [](const ClassPupil& pupil) {
        return std::pair(pupil.journal.lastAnswer, pupil.journal.written);
    };
    for (ClassPupil& pupil : pupils) {
        if (!pupil.journal.Read()) {
            continue;
        }
        ClassPupil*& kept = newest[pupil.journal.name];
        if (kept == nullptr || key(*kept) < key(pupil)) {
            if (kept != nullptr) {
                kept->olderCopy = true;
            }
            kept = &pupil;
        } else {
            pupil.olderCopy = true;
        }
    }
}

// The name column, then the figures of a pupil that was read; -1 for a file that was not.
std::array<PupilSortKey, kPupilColumns> SortKeys(const ClassPupil& pupil) {
    const bool read = pupil.journal.Read();
    const AnswerSummary& summary = pupil.journal.summary;
    const auto number = [read](int value) { return std::int64_t{read ? value : -1}; };
    return {
        pupil.name,
        number(summary.answers),
        number(read && summary.answers > 0 ? RightPercent(summary) : -1),
        number(summary.days),
        summary.lastDay ? summary.lastDay->time_since_epoch().count() : 0,
        number(pupil.states.sure),
        number(pupil.states.practise),
    };
}

std::vector<std::string> ListRow(const ClassPupil& pupil) {
    const bool read = pupil.journal.Read();
    const std::optional<std::chrono::milliseconds> typing =
        read && pupil.journal.typingCheck ? TypingTime(pupil.journal.typingCheck->numbers)
                                          : std::nullopt;
    const AnswerSummary& summary = pupil.journal.summary;
    const auto number = [read](int value) { return read ? std::to_string(value) : ""; };
    return {
        pupil.journal.name,
        number(summary.answers),
        read && summary.answers > 0 ? std::to_string(RightPercent(summary)) : "",
        number(summary.days),
        summary.lastDay ? DateText(*summary.lastDay) : "",
        number(pupil.states.sure),
        number(pupil.states.practise),
        typing ? DecimalSeconds(typing->count()) : "",
        pupil.journal.file.filename().string(),
        pupil.note,
    };
}

ClassFacts CountClassFacts(const std::vector<ClassPupil>& pupils) {
    ClassFacts counted;
    for (const ClassPupil& pupil : pupils) {
        if (!pupil.Counted()) {
            continue;
        }
        ++counted.pupils;
        ForEachFact([&](Fact fact) {
            if (pupil.journal.facts.State(fact.row, fact.multiplier, pupil.fastBelow) ==
                FactState::Practise) {
                ++counted.practising.at(FactIndex(fact));
            }
        });
    }
    return counted;
}

} // namespace

PupilStates CountStates(const FactTable& facts, std::chrono::milliseconds threshold) {
    PupilStates states;
    ForEachFact([&](Fact fact) {
        const FactState state = facts.State(fact.row, fact.multiplier, threshold);
        states.sure += state == FactState::Sure ? 1 : 0;
        states.practise += state == FactState::Practise ? 1 : 0;
    });
    return states;
}

ClassOverview OverviewOf(ClassFolder folder, std::chrono::milliseconds threshold) {
    ClassOverview overview;
    overview.cancelled = folder.cancelled;
    for (PupilJournal& journal : folder.pupils) {
        overview.pupils.emplace_back().journal = std::move(journal);
    }
    MarkOlderCopies(overview.pupils);
    for (ClassPupil& pupil : overview.pupils) {
        const PupilJournal& journal = pupil.journal;
        pupil.name = ShownText(journal.Read() ? journal.name : journal.file.filename().string());
        pupil.note = PupilNote(journal.reading, pupil.olderCopy);
        pupil.fastBelow = ChildThreshold(threshold, journal.typingCheck);
        pupil.states = CountStates(journal.facts, pupil.fastBelow);
        pupil.sortKeys = SortKeys(pupil);
        pupil.listRow = ListRow(pupil);
    }
    overview.facts = CountClassFacts(overview.pupils);
    return overview;
}

std::optional<ClassFolder>
FollowFolder(const ClassOverview& shown, const std::vector<FileLook>& before,
             const std::vector<FileLook>& now,
             const std::function<PupilJournal(const std::filesystem::path&)>& read) {
    const FolderChanges changes = CompareLooks(before, now);
    std::set<std::filesystem::path> stale(changes.added.begin(), changes.added.end());
    stale.insert(changes.changed.begin(), changes.changed.end());
    std::map<std::filesystem::path, const PupilJournal*> kept;
    for (const ClassPupil& pupil : shown.pupils) {
        kept.emplace(pupil.journal.file, &pupil.journal);
    }
    ClassFolder folder;
    bool differs = shown.pupils.size() != now.size();
    for (const FileLook& file : now) {
        const auto known = kept.find(file.file);
        if (known != kept.end() && stale.count(file.file) == 0) {
            folder.pupils.push_back(*known->second);
        } else {
            folder.pupils.push_back(read(file.file));
            differs = true;
        }
    }
    return differs ? std::optional(std::move(folder)) : std::nullopt;
}

std::string ClassFactText(Fact fact, int practising, int pupils) {
    return FactText(fact) + ": " + std::to_string(practising) + " von " + std::to_string(pupils) +
           " üben";
}

std::vector<PupilWorksheet> ClassWorksheets(const ClassOverview& overview, const RowSwitches& rows,
                                            std::uint32_t seed) {
    std::vector<PupilWorksheet> sheets;
    for (const ClassPupil& pupil : overview.pupils) {
        if (pupil.Counted()) {
            sheets.push_back(
                {pupil.journal.name,
                 ChooseWorksheetProblems(pupil.journal.facts, pupil.fastBelow, rows,
                                         seed + static_cast<std::uint32_t>(sheets.size()))});
        }
    }
    return sheets;
}

std::string ClassListCsv(const ClassOverview& overview, std::span<const std::size_t> shownOrder) {
    const std::vector<ClassPupil>& pupils = overview.pupils;
    std::vector<std::size_t> order;
    std::vector<bool> listed(pupils.size(), false);
    for (const std::size_t pupil : shownOrder) {
        if (pupil < pupils.size() && !listed[pupil]) {
            listed[pupil] = true;
            order.push_back(pupil);
        }
    }
    for (std::size_t pupil = 0; pupil < pupils.size(); ++pupil) {
        if (!listed[pupil]) {
            order.push_back(pupil);
        }
    }
    std::stable_partition(order.begin(), order.end(),
                          [&pupils](std::size_t pupil) { return pupils[pupil].Counted(); });
    std::vector<std::vector<std::string>> rows;
    for (const std::size_t pupil : order) {
        rows.push_back(pupils[pupil].listRow);
    }
    return SpreadsheetCsv(
        "Name;Antworten;Richtig (%);Tage geübt;Zuletzt;sicher;üben;Tippzeit (s);Datei;Hinweis",
        rows);
}
