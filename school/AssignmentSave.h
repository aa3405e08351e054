#pragma once

#include "school/Assignment.h"

#include <filesystem>
#include <string>
#include <system_error>

// The class window's "Auftrag geben…" and "Auftrag zurücknehmen": the only writes it makes in a
// class folder. fileName is class_folder::kClassAssignment or a class_folder::PupilAssignmentName;
// any other name is refused with std::errc::invalid_argument, as is an assignment FormatAssignment
// refuses. Each returns the error, empty on success.

// Saves the assignment in one step (WriteFileAtomically): pupils whose round starts meanwhile
// read the old one or the new one.
std::error_code SaveAssignment(const std::filesystem::path& classFolder,
                               const std::string& fileName, const Assignment& assignment);

// Removes the assignment; one that is not there counts as taken back.
std::error_code RemoveAssignment(const std::filesystem::path& classFolder,
                                 const std::string& fileName);
