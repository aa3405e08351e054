#pragma once

#include "common/WallTime.h"
#include "lernstand/ClassAssignments.h"
#include "school/AssignmentInForce.h"
#include "school/HandInStatus.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

// Every text about the class folder the Lernstand and the class window show a grown-up. What
// comes from the folder (a child's name, an assignment's title) goes in as ShownText has it.

// Everything an assignment sets: "Vor der Mathearbeit – Reihen 6 bis 9, 20 Aufgaben, Gezielt
// üben, „sicher“ schneller als 6 s"; empty for an empty one.
std::string AssignmentDetails(const Assignment& assignment);

// The class window's line on the assignments in force: "Auftrag für die Klasse: … · eigener
// Auftrag für 2 Kinder"; empty while there is none.
std::string ClassAssignmentText(const ClassAssignments& assignments);
// A pupil's own, beside the name: "Eigener Auftrag: Reihen 6 bis 9, 20 Aufgaben, …".
std::string PupilAssignmentText(const AssignmentReading& reading);

// The heading of "Auftrag geben…": "Auftrag für die ganze Klasse", "Auftrag für Anna und Ben".
std::string AssignmentHeading(const AssignmentTargets& targets);
std::string TakeBackQuestion(const AssignmentTargets& targets);
std::string NothingToTakeBackText(const AssignmentTargets& targets);
// For the names of pupils whose file tells no login.
std::string WithoutLoginText(const std::vector<std::string>& names);
// Some of the targets' files could not be written; errors go with AssignmentFileNames, empty for
// those written.
std::string AssignmentNotWrittenText(bool given, const AssignmentTargets& targets,
                                     std::span<const std::error_code> errors);

// The class window's status line while the folder cannot be looked at, and while a look has not
// ended by the next one: the window shows what it saw at shownFrom.
std::string FolderNotReachedText(WallTime shownFrom, WallTime now);
std::string FolderNotAnsweringText(WallTime shownFrom, WallTime now);

// The Lernstand's line on handing in: "Abgabe im Klassenordner: heute 10:32", or why the last try
// failed. A status of another folder than folder says nothing about this one.
std::string HandInText(const std::optional<HandInStatus>& status,
                       const std::filesystem::path& folder, WallTime now);
// The Lernstand's line on the assignment in force; inForce is nullopt when the folder did not
// answer.
std::string OwnAssignmentText(const std::optional<AssignmentInForce>& inForce);
// Beside "Gezielt üben" while the assignment sets it or the seconds for the drill's rounds; empty
// when it sets neither.
std::string AssignmentOverrideText(const Assignment& assignment);
