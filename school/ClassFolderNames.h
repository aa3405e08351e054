#pragma once

#include <optional>
#include <string>
#include <string_view>

// The names of the files the program puts into a class folder. The drill writes only its pupil's
// "Lernstand-<login>.sqlite", the class window only "Auftrag.ini" and "Auftrag-<login>.ini"; each
// writes its file under a temporary name first.
namespace class_folder {

// The assignment for the whole class.
inline const std::string kClassAssignment = "Auftrag.ini";

// The login can stand in a file name as one part of it: not empty, no "/", no control character
// and short enough for any file system.
bool IsLoginPart(std::string_view login);

// "Lernstand-<login>.sqlite", the copy a pupil hands in; nullopt for a login that is no part.
std::optional<std::string> HandInName(std::string_view login);

// The login of a "Lernstand-<login>.sqlite"; nullopt for any other name.
std::optional<std::string> LoginOfHandIn(std::string_view fileName);

// "Auftrag-<login>.ini", one pupil's own assignment; nullopt for a login that is no part.
std::optional<std::string> PupilAssignmentName(std::string_view login);

// The login of an "Auftrag-<login>.ini"; nullopt for any other name.
std::optional<std::string> LoginOfPupilAssignment(std::string_view fileName);

// "Auftrag.ini" or an "Auftrag-<login>.ini".
bool IsAssignmentName(std::string_view fileName);

} // namespace class_folder
