#include "school/HandInStatus.h"

#include "journal/JournalStateWords.h"
#include "journal/UtcTime.h"
#include "school/AtomicFile.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

const std::string kSection = "Abgabe";
const std::string kTargetKey = "Ziel";
const std::string kArrivedKey = "Angekommen";
const std::string kTriedKey = "Versucht";
const std::string kProblemKey = "Problem";
const std::string kDetailKey = "Meldung";

// Each problem as the file names it.
constexpr std::array<std::pair<HandInProblem, std::string_view>, 7> kProblemWords = {{
    {HandInProblem::None, ""},
    {HandInProblem::FolderFull, "voll"},
    {HandInProblem::FolderReadOnly, "schreibgeschuetzt"},
    {HandInProblem::FolderGone, "nicht-da"},
    {HandInProblem::FolderFailed, "fehlgeschlagen"},
    {HandInProblem::JournalNotReadable, "lernstand-nicht-lesbar"},
    {HandInProblem::NoAnswer, "keine-antwort"},
}};

// A value the file can hold: line breaks, which SQLite's or a path's words could carry, become
// blanks.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::string TimeValue(const std::optional<WallTime>& time) {
    return time ? JournalTimeText(*time) : std::string();
}

std::string WordOf(HandInProblem problem) {
    for (const auto& [known, name] : kProblemWords) {
        if (known == problem) {
            return std::string(name);
        }
    }
    return {};
}

HandInProblem ProblemNamed(std::string_view word) {
    for (const auto& [problem, name] : kProblemWords) {
        if (name == word) {
            return problem;
        }
    }
    return HandInProblem::FolderFailed;
}

} // namespace

std::filesystem::path HandInStatusPath(const std::filesystem::path& journal) {
    return journal.parent_path() / "Abgabe.ini";
}

std::optional<HandInStatus> ReadHandInStatus(const std::filesystem::path& file) {
    const std::optional<SettingsFile> stored = LoadSettingsFile(file);
    if (!stored || !stored->status) {
        return std::nullopt;
    }
    const auto value = [&stored](const std::string& key) {
        return IniFile::ReadValue(stored->content, kSection, key).value_or(std::string());
    };
    HandInStatus status;
    status.target = value(kTargetKey);
    status.arrived = ParseJournalTime(value(kArrivedKey));
    status.tried = ParseJournalTime(value(kTriedKey));
    status.problem = ProblemNamed(value(kProblemKey));
    status.detail = value(kDetailKey);
    return status;
}

std::error_code WriteHandInStatus(const std::filesystem::path& file, const HandInStatus& status) {
    const std::pair<std::string, std::string> entries[] = {
        {kTargetKey, status.target.string()}, {kArrivedKey, TimeValue(status.arrived)},
        {kTriedKey, TimeValue(status.tried)}, {kProblemKey, WordOf(status.problem)},
        {kDetailKey, status.detail},
    };
    std::string content;
    for (const auto& [key, value] : entries) {
        content = IniFile::WriteValue(content, kSection, key, OneLine(value)).value_or(content);
    }
    return WriteFileAtomically(file, content);
}

HandInProblem ProblemOfCopy(JournalCopy::Problem problem) {
    using Problem = JournalCopy::Problem;
    switch (problem) {
    case Problem::None:
    case Problem::NothingRecorded:
        return HandInProblem::None;
    case Problem::NotReadable:
        return HandInProblem::JournalNotReadable;
    case Problem::TargetFull:
        return HandInProblem::FolderFull;
    case Problem::TargetReadOnly:
        return HandInProblem::FolderReadOnly;
    case Problem::TargetGone:
        return HandInProblem::FolderGone;
    case Problem::TargetFailed:
    case Problem::TargetIsJournal:
    case Problem::Cancelled:
        break;
    }
    return HandInProblem::FolderFailed;
}

std::string HandInProblemText(HandInProblem problem) {
    switch (problem) {
    case HandInProblem::None:
        return "";
    case HandInProblem::FolderFull:
        return "der Klassenordner ist voll";
    case HandInProblem::FolderReadOnly:
        return "in den Klassenordner darf nicht geschrieben werden";
    case HandInProblem::FolderGone:
        return "der Klassenordner ist nicht da";
    case HandInProblem::FolderFailed:
        return "das Schreiben in den Klassenordner ist fehlgeschlagen";
    case HandInProblem::JournalNotReadable:
        return "der Lernstand ist " + std::string(kJournalNotReadable);
    case HandInProblem::NoAnswer:
        return "der Klassenordner hat beim Beenden nicht rechtzeitig geantwortet";
    }
    return "";
}
