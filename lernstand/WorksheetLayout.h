#pragma once

#include "lernstand/WorksheetChoice.h"

#include <span>
#include <string>
#include <vector>

// One line of text on a worksheet page, placed in millimetres from the paper's top left corner.
struct PageText {
    std::string text;
    double leftMm = 0;
    double topMm = 0;
    double points = 0;
    bool bold = false;
    // The child's name within text, nameSize bytes from nameAt on: the part that is shortened with
    // "…" where the line would run past the right margin. Without a name the line is as it is.
    std::size_t nameAt = 0;
    std::size_t nameSize = 0;
};

using WorksheetPage = std::vector<PageText>;

inline constexpr double kA4WidthMm = 210;
inline constexpr double kA4HeightMm = 297;
// Left and right of the text.
inline constexpr double kWorksheetMarginMm = 22;
// Large enough for a child to read from the desk and write beside.
inline constexpr double kProblemPoints = 18;

// The worksheet on A4: the problems with blanks to fill in on the first page, under a heading and
// a line for the name and the date; the same problems with their products on the second page.
// The problems run down the left column, then down the right one.
// With a name, it stands on the name line and above the solutions, as ShownText has it.
std::vector<WorksheetPage> WorksheetPages(std::span<const WorksheetProblem> problems,
                                          const std::string& name = {});

// One pupil's worksheet in a class.
struct PupilWorksheet {
    std::string name;
    std::vector<WorksheetProblem> problems;
};

// Every pupil's sheet with the name on it, then every pupil's solutions, in the same order: the
// sheets go to the class, the solutions stay with the teacher.
std::vector<WorksheetPage> ClassWorksheetPages(std::span<const PupilWorksheet> sheets);
