#pragma once

#include "lernstand/ClassOverview.h"
#include "school/AssignmentFile.h"
#include "school/FolderLook.h"
#include "school/ShareAccess.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

// The assignments a class folder holds, as the class window shows them.
struct ClassAssignments {
    // "Auftrag.ini"; nullopt while there is none.
    std::optional<AssignmentReading> forClass;
    // Each pupil's own "Auftrag-<login>.ini", by the login.
    std::map<std::string, AssignmentReading> forPupils;

    bool operator==(const ClassAssignments&) const = default;
};

// Reads the assignment files a look found. A file that cannot be read, gone since the look say,
// counts as not there.
ClassAssignments ReadClassAssignments(ShareAccess& share, const std::vector<FileLook>& files);

// Whom "Auftrag geben…" and "Auftrag zurücknehmen" are for: the whole class, or some pupils.
struct AssignmentTargets {
    // The chosen pupils' logins, from their hand-in files; none for the whole class.
    std::vector<std::string> logins;
    // Their names as the window shows them, in the same order.
    std::vector<std::string> names;
    // The names of chosen pupils whose file is no hand-in copy ("Lernstand-<login>.sqlite"):
    // nothing tells their login, so no file of their own can be named for them.
    std::vector<std::string> withoutLogin;
};

// pupils index the overview's pupils; none chosen is the whole class.
AssignmentTargets TargetsOf(const ClassOverview& overview, std::span<const std::size_t> pupils);

// The files the targets' assignments lie in: "Auftrag.ini", or each pupil's "Auftrag-<login>.ini".
std::vector<std::string> AssignmentFileNames(const AssignmentTargets& targets);

// One of the targets has an assignment of its own.
bool HasAssignment(const ClassAssignments& assignments, const AssignmentTargets& targets);

// What "Auftrag geben…" shows first: the assignment in force for the first target (a pupil's own,
// else the class's), each value it leaves out as defaults have it.
Assignment AssignmentToShow(const ClassAssignments& assignments, const AssignmentTargets& targets,
                            const Assignment& defaults);

// The assignments after the targets' files were written: given for each one whose error is
// empty, or taken back when nothing was given. errors go with AssignmentFileNames.
ClassAssignments AfterWriting(ClassAssignments assignments, const AssignmentTargets& targets,
                              const std::optional<Assignment>& given,
                              std::span<const std::error_code> errors);

// Each pupil's own assignment, by the pupil's file, in words.
std::map<std::filesystem::path, std::string>
PupilAssignmentTexts(const ClassOverview& overview, const ClassAssignments& assignments);
