#pragma once

#include "school/AssignmentFile.h"

#include <string>
#include <vector>

// "a, b und c": items listed the German way.
std::string Enumeration(const std::vector<std::string>& items);

// "Reihe 7", "Reihen 6 und 7", "Reihen 2, 5 und 7 bis 9": three or more rows in a row are one
// range.
std::string RowsText(const RowSwitches& rows);

// "1 Aufgabe", "20 Aufgaben".
std::string ProblemCountText(int total);

// The main window's line while an assignment is in force: "Auftrag: Vor der Mathearbeit –
// Reihen 6 bis 9", the title or the rows alone when it has only one of them, else the number of
// problems, else "Auftrag der Lehrkraft"; empty for an empty assignment, which changes nothing.
std::string AssignmentLine(const Assignment& assignment);

// The settings dialog's note while an assignment sets some of the dialog's values: "Vom Auftrag
// der Lehrkraft vorgegeben: Reihen und Menge der Aufgaben"; empty when it sets none of them.
std::string SettingsNote(const Assignment& assignment);

// What of an assignment file was not used, for the Lernstand: "Nicht verwendet: Menge und
// Sekunden"; empty when everything was.
std::string IgnoredText(const AssignmentReading& reading);
