#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The private-profile INI format, worked on a file's bytes without touching any file.
//
// Reading: section and key names match regardless of ASCII letter case; blanks and tabs around
// names and values are ignored; one matching pair of double or single quotes around a value is
// removed; a line whose first non-blank character is ";" is a comment; a line without "=" is not
// an entry; the first of two equal sections or keys wins; entries before the first section are
// not read; CRLF, LF and CR line endings all read the same; a UTF-8 byte-order mark at the start
// is skipped. Bytes pass through unchanged.
namespace IniFile {

// Longest value a read returns; longer values are cut.
inline constexpr std::size_t kMaxValueLength = 1023;

// The value of key in section, cut to kMaxValueLength bytes; nullopt when the section or the key
// is absent.
std::optional<std::string> ReadValue(std::string_view content, std::string_view section,
                                     std::string_view key);

// content with key in section set to value. An existing entry is rewritten in place with the
// key's spelling in the file, a new key follows the last entry of its section, a new section is
// appended; every other byte stays as it was, and added lines use the file's own line ending.
// nullopt when a name or the value cannot be stored so that it reads back the same.
std::optional<std::string> WriteValue(std::string_view content, std::string_view section,
                                      std::string_view key, std::string_view value);

} // namespace IniFile
