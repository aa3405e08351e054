#include "school/AssignmentFile.h"

#include "settings/IniFile.h"
#include "settings/SettingsSchema.h"
#include "settings/StoredText.h"

#include <charconv>

namespace {

const std::string kSection = "Auftrag";
const std::string kTitleKey = "Titel";
const std::string kRowsKey = "Reihen";
const std::string kTotalKey = "Menge";
const std::string kTargetedKey = "Gezielt";
const std::string kSecondsKey = "Sekunden";

// Decimal digits only, no sign and no blank; nullopt otherwise or past three digits, which no
// value of the file needs.
std::optional<int> SmallNumber(std::string_view text) {
    int number = 0;
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "6,7, 8": rows 1 to 20, blanks around each allowed.
std::optional<RowSwitches> RowsOf(std::string_view list) {
    RowSwitches rows{};
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::optional<int> row = SmallNumber(TrimBlanks(list.substr(0, comma)));
        if (!row || !IsRow(*row)) {
            return std::nullopt;
        }
        rows.at(static_cast<std::size_t>(*row - 1)) = true;
        if (comma == std::string_view::npos) {
            return rows;
        }
        list.remove_prefix(comma + 1);
    }
}

std::optional<bool> OnOrOff(std::string_view text) {
    if (text == settings::kOn || text == settings::kOff) {
        return text == settings::kOn;
    }
    return std::nullopt;
}

std::optional<int> InRange(std::optional<int> number, bool (*allowed)(int)) {
    return number && allowed(*number) ? number : std::nullopt;
}

std::optional<std::string> TitleOf(std::string_view value) {
    if (IsAssignmentTitle(value)) {
        return std::string(value);
    }
    return std::nullopt;
}

// Reads one key into target through rule; a value the rule refuses is named in ignoredKeys.
template <typename Value, typename Rule>
void ReadKey(std::string_view bytes, const std::string& key, Rule rule, Value& target,
             std::vector<std::string>& ignoredKeys) {
    const std::optional<std::string> stored = IniFile::ReadValue(bytes, kSection, key);
    if (!stored || stored->empty()) {
        return;
    }
    const std::string text = StoredTextToUtf8(*stored, stored->size() == IniFile::kMaxValueLength);
    auto value = rule(text);
    if (value) {
        target = std::move(*value);
    } else {
        ignoredKeys.push_back(key);
    }
}

std::string RowListText(const RowSwitches& rows) {
    std::string text;
    for (const int row : RowList(rows)) {
        text += (text.empty() ? "" : ",") + std::to_string(row);
    }
    return text;
}

} // namespace

AssignmentReading ParseAssignment(std::string_view bytes) {
    AssignmentReading reading;
    if (bytes.size() > kMaxAssignmentBytes) {
        reading.tooLarge = true;
        return reading;
    }
    Assignment& assignment = reading.assignment;
    std::vector<std::string>& ignored = reading.ignoredKeys;
    ReadKey(bytes, kTitleKey, TitleOf, assignment.title, ignored);
    ReadKey(bytes, kRowsKey, RowsOf, assignment.rows, ignored);
    ReadKey(
        bytes, kTotalKey,
        [](std::string_view text) { return InRange(SmallNumber(text), IsProblemTotal); },
        assignment.problemTotal, ignored);
    ReadKey(bytes, kTargetedKey, OnOrOff, assignment.targeted, ignored);
    ReadKey(
        bytes, kSecondsKey,
        [](std::string_view text) { return InRange(SmallNumber(text), IsSecondsChoice); },
        assignment.seconds, ignored);
    return reading;
}

std::optional<std::string> FormatAssignment(const Assignment& assignment) {
    const bool valid = IsAssignmentTitle(assignment.title) &&
                       (!assignment.rows || !RowList(*assignment.rows).empty()) &&
                       (!assignment.problemTotal || IsProblemTotal(*assignment.problemTotal)) &&
                       (!assignment.seconds || IsSecondsChoice(*assignment.seconds));
    if (!valid) {
        return std::nullopt;
    }
    std::optional<std::string> file = "[" + kSection + "]\n";
    const auto add = [&file](const std::string& key, const std::string& value) {
        if (file) {
            file = IniFile::WriteValue(*file, kSection, key, value);
        }
    };
    if (!assignment.title.empty()) {
        add(kTitleKey, assignment.title);
    }
    if (assignment.rows) {
        add(kRowsKey, RowListText(*assignment.rows));
    }
    if (assignment.problemTotal) {
        add(kTotalKey, std::to_string(*assignment.problemTotal));
    }
    if (assignment.targeted) {
        add(kTargetedKey, settings::OnOff(*assignment.targeted));
    }
    if (assignment.seconds) {
        add(kSecondsKey, std::to_string(*assignment.seconds));
    }
    return file;
}
