#include "school/AssignmentTexts.h"

std::string Enumeration(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? " und " : ", ";
        }
        text += items[i];
    }
    return text;
}

std::string RowsText(const RowSwitches& rows) {
    const std::vector<int> list = RowList(rows);
    std::vector<std::string> parts;
    for (std::size_t first = 0; first < list.size();) {
        std::size_t last = first;
        while (last + 1 < list.size() && list[last + 1] == list[last] + 1) {
            ++last;
        }
        if (last - first >= 2) {
            parts.push_back(std::to_string(list[first]) + " bis " + std::to_string(list[last]));
        } else {
            for (std::size_t i = first; i <= last; ++i) {
                parts.push_back(std::to_string(list[i]));
            }
        }
        first = last + 1;
    }
    return (list.size() == 1 ? "Reihe " : "Reihen ") + Enumeration(parts);
}

std::string ProblemCountText(int total) {
    return std::to_string(total) + (total == 1 ? " Aufgabe" : " Aufgaben");
}

std::string AssignmentLine(const Assignment& assignment) {
    if (assignment.Empty()) {
        return {};
    }
    std::string what = assignment.title;
    if (assignment.rows) {
        what += (what.empty() ? "" : " – ") + RowsText(*assignment.rows);
    }
    if (what.empty() && assignment.problemTotal) {
        what = ProblemCountText(*assignment.problemTotal);
    }
    return what.empty() ? "Auftrag der Lehrkraft" : "Auftrag: " + what;
}

std::string SettingsNote(const Assignment& assignment) {
    std::vector<std::string> set;
    if (assignment.rows) {
        set.emplace_back("Reihen");
    }
    if (assignment.problemTotal) {
        set.emplace_back("Menge der Aufgaben");
    }
    return set.empty() ? "" : "Vom Auftrag der Lehrkraft vorgegeben: " + Enumeration(set);
}

std::string IgnoredText(const AssignmentReading& reading) {
    if (reading.tooLarge) {
        return "Nicht verwendet: die ganze Datei, sie ist größer als " +
               std::to_string(kMaxAssignmentBytes / 1024) + " KiB";
    }
    if (reading.ignoredKeys.empty()) {
        return {};
    }
    return "Nicht verwendet: " + Enumeration(reading.ignoredKeys);
}
