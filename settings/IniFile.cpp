#include "settings/IniFile.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace IniFile {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum class LineKind { Other, Section, Entry };

// One line of the file; positions are byte offsets into the whole content.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;  // where the line ending starts
    std::size_t next = 0; // where the following line starts
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name
    std::string_view value; // entries only, quotes not yet removed
};

// Where a section and a key were found among the lines.
struct Lookup {
    std::optional<std::size_t> header;
    std::optional<std::size_t> entry;
    std::optional<std::size_t> lastEntry; // last entry line of the section, for appending a key
};

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

void Classify(std::string_view text, Line& line) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';') {
        return;
    }
    if (trimmed.front() == '[') {
        // Text after the closing bracket is ignored; without one the line is neither header nor
        // entry.
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = Trim(trimmed.substr(1, close - 1));
        }
        return;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals != std::string_view::npos) {
        line.kind = LineKind::Entry;
        line.name = Trim(trimmed.substr(0, equals));
        line.value = Trim(trimmed.substr(equals + 1));
    }
}

std::vector<Line> SplitLines(std::string_view content) {
    std::vector<Line> lines;
    // Editors such as Notepad put a UTF-8 byte-order mark first; it must not hide the first line.
    std::size_t begin = content.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (begin < content.size()) {
        Line line;
        line.begin = begin;
        line.end = std::min(content.find_first_of(kLineBreaks, begin), content.size());
        line.next = line.end;
        if (line.next < content.size()) {
            const bool crlf = content[line.next] == '\r' && line.next + 1 < content.size() &&
                              content[line.next + 1] == '\n';
            line.next += crlf ? 2 : 1;
        }
        Classify(content.substr(line.begin, line.end - line.begin), line);
        lines.push_back(line);
        begin = line.next;
    }
    return lines;
}

Lookup Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Lookup found;
    std::size_t i = 0;
    while (i < lines.size() &&
           !(lines[i].kind == LineKind::Section && SameName(lines[i].name, section))) {
        ++i;
    }
    if (i == lines.size()) {
        return found;
    }
    found.header = i;
    for (++i; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
        if (lines[i].kind != LineKind::Entry) {
            continue;
        }
        found.lastEntry = i;
        if (!found.entry && SameName(lines[i].name, key)) {
            found.entry = i;
        }
    }
    return found;
}

// The first line ending in the file, so added lines match the file's own.
std::string_view LineEnding(std::string_view content) {
    const std::size_t at = content.find_first_of(kLineBreaks);
    if (at == std::string_view::npos || content[at] == '\n') {
        return "\n";
    }
    return content.substr(at + 1, 1) == "\n" ? "\r\n" : "\r";
}

bool IsStorableName(std::string_view name) {
    return !name.empty() && Trim(name).size() == name.size() &&
           name.find_first_of("=]\r\n") == std::string_view::npos && name.front() != ';' &&
           name.front() != '[';
}

// The value as it must stand in the file to read back unchanged.
std::optional<std::string> EncodeValue(std::string_view value) {
    if (value.find_first_of(kLineBreaks) != std::string_view::npos) {
        return std::nullopt;
    }
    std::string encoded(value);
    if (Trim(value).size() != value.size() || IsQuoted(value)) {
        encoded = '"' + encoded + '"';
    }
    return encoded;
}

std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string result;
    for (const std::string_view part : parts) {
        result += part;
    }
    return result;
}

} // namespace

std::optional<std::string> ReadValue(std::string_view content, std::string_view section,
                                     std::string_view key) {
    const std::vector<Line> lines = SplitLines(content);
    const Lookup found = Find(lines, section, key);
    if (!found.entry) {
        return std::nullopt;
    }
    std::string_view value = lines[*found.entry].value;
    if (IsQuoted(value)) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxValueLength));
}

std::optional<std::string> WriteValue(std::string_view content, std::string_view section,
                                      std::string_view key, std::string_view value) {
    const std::optional<std::string> encoded = EncodeValue(value);
    if (!IsStorableName(section) || !IsStorableName(key) || !encoded) {
        return std::nullopt;
    }
    const std::vector<Line> lines = SplitLines(content);
    const Lookup found = Find(lines, section, key);
    const std::string_view eol = LineEnding(content);

    if (found.entry) {
        const Line& entry = lines[*found.entry];
        return Concat(
            {content.substr(0, entry.begin), entry.name, "=", *encoded, content.substr(entry.end)});
    }
    if (found.header) {
        const Line& anchor = lines[found.lastEntry.value_or(*found.header)];
        const std::string_view missingEnding = anchor.end == anchor.next ? eol : "";
        return Concat({content.substr(0, anchor.next), missingEnding, key, "=", *encoded, eol,
                       content.substr(anchor.next)});
    }
    const bool endsOpen = !content.empty() && content.back() != '\n' && content.back() != '\r';
    return Concat({content, endsOpen ? eol : "", "[", section, "]", eol, key, "=", *encoded, eol});
}

} // namespace IniFile
