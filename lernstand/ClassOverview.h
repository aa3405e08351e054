#pragma once

#include "facts/Fact.h"
#include "facts/FactTable.h"
#include "facts/RowsInForce.h"
#include "lernstand/ClassFolder.h"
#include "lernstand/WorksheetLayout.h"
#include "school/FolderLook.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

// How many facts of a pupil sit and how many need practice.
struct PupilStates {
    int sure = 0;
    int practise = 0;
};
PupilStates CountStates(const FactTable& facts, std::chrono::milliseconds threshold);

// The columns of the class window's table of pupils.
enum class PupilColumn { Name, Answers, Right, Days, LastDay, Sure, Practise };
inline constexpr std::size_t kPupilColumns = 7;

// What a column sorts by: for the name its text, which the window compares as its language does;
// else a number, where a file that was not read sorts before every pupil.
using PupilSortKey = std::variant<std::string, std::int64_t>;

// One file of a class folder as the class window and the class list show it.
struct ClassPupil {
    PupilJournal journal;
    // Another file of the same child holds newer answers, so this one is not counted.
    bool olderCopy = false;
    // The child's name, or the file's name for a file that was not read, as ShownText has it.
    std::string name;
    // Why the file is not counted; empty for a counted one.
    std::string note;
    // How fast a right answer of this child must be: the grown-up's choice, grown by the child's
    // typing time.
    std::chrono::milliseconds fastBelow{};
    PupilStates states;
    std::array<PupilSortKey, kPupilColumns> sortKeys;
    // The pupil's line of the class list.
    std::vector<std::string> listRow;

    // A journal that was read, and the newest one of its child.
    bool Counted() const { return journal.Read() && !olderCopy; }
};

// How many of the counted pupils have each fact, at FactIndex, to practise.
struct ClassFacts {
    std::array<int, kFacts> practising{};
    // How many pupils count.
    int pupils = 0;
};

// A class folder as the teacher sees it.
struct ClassOverview {
    // Every file, in the order of the file names.
    std::vector<ClassPupil> pupils;
    ClassFacts facts;
    // The reading was stopped before every file was read.
    bool cancelled = false;
};

// The overview of the journals read, each judged with the threshold grown by its child's typing
// time: of two or more journals of one
// child the one with the newest answer counts, the others are older copies; between equal answers
// the file written last counts.
ClassOverview OverviewOf(ClassFolder folder, std::chrono::milliseconds threshold);

// The class after a look at its files: the journals of files that did not change since the look
// before are taken from shown, those that came or changed are read with read, and those that went
// are dropped, so that the pupils stand in the order of the look. nullopt when nothing came,
// changed or went.
std::optional<ClassFolder>
FollowFolder(const ClassOverview& shown, const std::vector<FileLook>& before,
             const std::vector<FileLook>& now,
             const std::function<PupilJournal(const std::filesystem::path&)>& read);

// "7 · 8: 9 von 27 üben".
std::string ClassFactText(Fact fact, int practising, int pupils);

// A worksheet for every counted pupil from that pupil's own facts, by the worksheet's choice rule.
std::vector<PupilWorksheet> ClassWorksheets(const ClassOverview& overview, const RowSwitches& rows,
                                            std::uint32_t seed);

// The pupils' table as a CSV file in the Lernstand's German spreadsheet form, the pupils in the
// order of their indexes in shownOrder (as the table is sorted on screen), but every file that does
// not count, with its note, after those that do. Pupils shownOrder leaves out follow those it
// names, in the order of the files.
std::string ClassListCsv(const ClassOverview& overview,
                         std::span<const std::size_t> shownOrder = {});
