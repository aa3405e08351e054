#pragma once

#include "school/Assignment.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The assignment file, as schools may also write it with their own tools:
//
//     [Auftrag]
//     Titel=Vor der Mathearbeit
//     Reihen=6,7,8,9
//     Menge=20
//     Gezielt=on
//     Sekunden=6
//
// Every key is optional. Reihen is a comma list of rows 1 to 20, Menge 1 to 100, Gezielt "on" or
// "off", Sekunden 3, 6 or 12, Titel a title as IsAssignmentTitle allows. The file is UTF-8 or
// Windows-1252 with CRLF or LF line ends, and read by the settings file's rules otherwise.

// A file larger than this is not used at all: it is no assignment a teacher wrote.
inline constexpr std::size_t kMaxAssignmentBytes = 4096;

// What a file held, and what of it was not used.
struct AssignmentReading {
    Assignment assignment;
    // The keys whose values break their rule, in the order above.
    std::vector<std::string> ignoredKeys;
    // Larger than kMaxAssignmentBytes: nothing of it was used.
    bool tooLarge = false;

    bool operator==(const AssignmentReading&) const = default;
};

// The assignment in a file's bytes. An empty value counts as absent.
AssignmentReading ParseAssignment(std::string_view bytes);

// The file for an assignment, with LF line ends and only the keys it holds; nullopt when a value
// breaks its rule and so would not read back.
std::optional<std::string> FormatAssignment(const Assignment& assignment);
