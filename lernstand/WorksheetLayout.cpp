#include "lernstand/WorksheetLayout.h"

#include "common/ShownText.h"
#include "lernstand/FactTexts.h"

namespace {

constexpr double kMarginMm = kWorksheetMarginMm;
constexpr double kHeadingTopMm = 20;
constexpr double kHeadingPoints = 22;
constexpr double kNameTopMm = 36;
constexpr double kNamePoints = 14;
constexpr double kFirstProblemTopMm = 58;
// Room below each problem to write and to correct.
constexpr double kProblemStepMm = 15;
constexpr double kColumnStepMm = (kA4WidthMm - 2 * kMarginMm) / 2;

WorksheetPage PageWithHeading(const std::string& heading) {
    return {{heading, kMarginMm, kHeadingTopMm, kHeadingPoints, true}};
}

// before, the name and after as one line, with the name marked as the part that may be shortened.
PageText WithName(const std::string& before, const std::string& name, const std::string& after,
                  double topMm, double points, bool bold) {
    return {before + name + after, kMarginMm, topMm, points, bold, before.size(), name.size()};
}

// Adds the problems in two columns, each with the end its page asks for.
template <typename Ending>
void AddProblems(WorksheetPage& page, std::span<const WorksheetProblem> problems, Ending ending) {
    const std::size_t perColumn = (problems.size() + 1) / 2;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const WorksheetProblem& problem = problems[i];
        const double left = kMarginMm + static_cast<double>(i / perColumn) * kColumnStepMm;
        const double top = kFirstProblemTopMm + static_cast<double>(i % perColumn) * kProblemStepMm;
        page.push_back(
            {FactText(problem) + " = " + ending(problem), left, top, kProblemPoints, false});
    }
}

} // namespace

std::vector<WorksheetPage> WorksheetPages(std::span<const WorksheetProblem> problems,
                                          const std::string& name) {
    const std::string shown = ShownText(name);
    WorksheetPage sheet = PageWithHeading("Einmaleins-Arbeitsblatt");
    sheet.push_back(WithName("Name: ", shown.empty() ? "______________" : shown,
                             "   Datum: ______________", kNameTopMm, kNamePoints, false));
    AddProblems(sheet, problems, [](const WorksheetProblem&) { return std::string("____"); });

    WorksheetPage solutions = shown.empty()
                                  ? PageWithHeading("Lösungen")
                                  : WorksheetPage{WithName("Lösungen – ", shown, "", kHeadingTopMm,
                                                           kHeadingPoints, true)};
    AddProblems(solutions, problems, [](const WorksheetProblem& problem) {
        return std::to_string(problem.multiplier * problem.row);
    });
    return {std::move(sheet), std::move(solutions)};
}

std::vector<WorksheetPage> ClassWorksheetPages(std::span<const PupilWorksheet> sheets) {
    std::vector<WorksheetPage> pages(2 * sheets.size());
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        std::vector<WorksheetPage> own = WorksheetPages(sheets[i].problems, sheets[i].name);
        pages[i] = std::move(own[0]);
        pages[sheets.size() + i] = std::move(own[1]);
    }
    return pages;
}
