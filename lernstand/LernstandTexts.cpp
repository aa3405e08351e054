#include "lernstand/LernstandTexts.h"

#include "common/ApplicationTitle.h"
#include "common/ShownText.h"
#include "journal/JournalStateWords.h"

#include <algorithm>
#include <cstdio>
#include <regex>
#include <string_view>

namespace {

const std::string kProduct(kProductName);

const std::string kFromNewerVersion(kJournalFromNewerVersion);
const std::string kNotAJournal(kJournalNotAJournal);
const std::string kNotReadable(kJournalNotReadable);

// SQLite's or the system's words, which may quote the file they come from.
std::string Reason(const std::string& reason) {
    return ShownText(reason);
}

std::string WithReason(const std::string& words, const std::string& reason) {
    return words + " (" + Reason(reason) + ")";
}

std::string Quoted(const std::filesystem::path& file) {
    return QuotedName(file.string());
}

// Not in a file name on a stick formatted for Windows.
bool UnfitForFileName(char c) {
    return std::string_view(R"("*/:<>?\|)").find(c) != std::string_view::npos;
}

} // namespace

std::string QuotedName(const std::string& fileName) {
    return "„" + ShownPath(fileName) + "“";
}

std::string LernstandTitle() {
    return kProduct + " Lernstand";
}

std::string LernstandTitle(const std::filesystem::path& othersJournal) {
    return LernstandTitle() + " – " + ShownText(othersJournal.filename().string()) + " aus " +
           ShownPath(othersJournal.parent_path());
}

std::string NewerJournalText(const std::filesystem::path& journal, RefusedUse refused) {
    return "Der Lernstand " + Quoted(journal) + " stammt " + kFromNewerVersion + " von " +
           kProduct + " und kann hier nicht " +
           (refused == RefusedUse::Open ? "geöffnet" : "angezeigt") + " werden.";
}

std::string NewerJournalText() {
    return "Der Lernstand stammt " + kFromNewerVersion + " von " + kProduct + ".";
}

std::string NotAJournalText(const std::filesystem::path& file, const std::string& reason) {
    return "Die Datei " + Quoted(file) + " ist " +
           WithReason(kNotAJournal + " von " + kProduct, reason) + ".";
}

std::string NotAJournalText() {
    return "Die Datei ist " + kNotAJournal + " von " + kProduct + ".";
}

std::string UnreadableJournalText(const std::filesystem::path& journal, const std::string& reason) {
    return "Der Lernstand " + Quoted(journal) + " ist beschädigt oder " +
           WithReason(kNotReadable, reason) + ".";
}

std::string NotDeletedText(const std::filesystem::path& journal, const std::string& reason) {
    return "Der Lernstand " + Quoted(journal) + " konnte nicht gelöscht werden (" + Reason(reason) +
           ").";
}

std::string NothingRecordedText() {
    return "Noch keine Antworten aufgezeichnet. Mit „Aufzeichnen“ merkt sich " + kProduct +
           " jede Antwort.";
}

std::string NoAnswersText() {
    return "Im Lernstand sind noch keine Antworten aufgezeichnet.";
}

std::string RecordingAlsoOnText() {
    return "„Aufzeichnen“ ist nun auch an: „Gezielt üben“ plant jede Runde aus den Antworten.";
}

std::string TargetedAlsoOffText() {
    return "„Gezielt üben“ ist nun auch aus: ohne neue Antworten bliebe der Plan stehen.";
}

std::string TargetedPausedText() {
    return "„Gezielt üben“ setzt aus, bis der Lernstand wieder lesbar ist; bis dahin übt jede "
           "Runde wie gewohnt.";
}

std::string NameNotStoredText(const std::filesystem::path& journal, const std::string& reason) {
    return "Der Name konnte nicht im Lernstand " + Quoted(journal) + " gespeichert werden (" +
           Reason(reason) + ").";
}

std::string FileNameDate(std::chrono::sys_days day) {
    const std::chrono::year_month_day date(day);
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return iso;
}

std::string ShownName(const std::string& name) {
    return ShownText(name, kMostNameCharacters);
}

std::string TeacherCopyFileName(std::string_view name, std::chrono::sys_days day) {
    std::string fitting = FirstCharacters(name, kMostNameCharacters, "_");
    std::replace_if(fitting.begin(), fitting.end(), UnfitForFileName, '_');
    const std::size_t first = fitting.find_first_not_of(' ');
    fitting = first == std::string::npos
                  ? std::string()
                  : fitting.substr(first, fitting.find_last_not_of(' ') - first + 1);
    return "Lernstand-" + (fitting.empty() ? "" : fitting + "-") + FileNameDate(day) + ".sqlite";
}

bool IsTeacherCopyFileName(std::string_view fileName) {
    static const std::regex kCopy(R"(Lernstand-(.*-)?\d{4}-\d{2}-\d{2}( \(\d+\))?\.sqlite)");
    return std::regex_match(fileName.begin(), fileName.end(), kCopy);
}

std::string TeacherCopyRunningText(const std::filesystem::path& copy) {
    return "Der Lernstand wird in " + Quoted(copy) + " gespeichert …";
}

std::string TeacherCopyCancellingText() {
    return "Das Speichern wird abgebrochen …";
}

std::string TeacherCopyBusyText() {
    return "Der Lernstand wird gerade schon für die Lehrkraft gespeichert. Sobald das fertig ist, "
           "lässt sich die nächste Kopie speichern.";
}

std::string CloseWhileCopyingText() {
    return "Der Lernstand wird gerade für die Lehrkraft gespeichert. Das Speichern abbrechen und "
           "schließen?";
}

std::string TeacherCopySavedText(const std::filesystem::path& copy, std::int64_t answers) {
    return "Der Lernstand mit " + std::to_string(answers) +
           (answers == 1 ? " Antwort" : " Antworten") + " ist nun in " + Quoted(copy) +
           " gespeichert. Die Lehrkraft zeigt ihn im Lernstand mit „Öffnen…“ an.";
}

std::string TeacherCopyNotSavedText(const std::filesystem::path& copy, JournalCopy::Problem problem,
                                    const std::string& detail) {
    using Problem = JournalCopy::Problem;
    std::string reason = "Beim Schreiben ist ein Fehler aufgetreten (" + Reason(detail) + ").";
    switch (problem) {
    case Problem::TargetFull:
        reason = "Auf dem Datenträger ist nicht genug Platz.";
        break;
    case Problem::TargetReadOnly:
        reason = "In diesen Ordner darf nicht geschrieben werden – ist der Stick schreibgeschützt?";
        break;
    case Problem::TargetGone:
        reason = "Der Ordner ist nicht mehr da – wurde der Stick abgezogen?";
        break;
    case Problem::TargetIsJournal:
        reason = "Dort liegt der Lernstand selbst – bitte einen anderen Namen oder Ordner wählen.";
        break;
    case Problem::None:
    case Problem::NothingRecorded:
    case Problem::NotReadable:
    case Problem::TargetFailed:
    case Problem::Cancelled:
        break;
    }
    return "Der Lernstand konnte nicht in " + Quoted(copy) + " gespeichert werden. " + reason +
           " Der Lernstand selbst ist unverändert.";
}

std::string ClassTitle(const std::filesystem::path& folder) {
    return LernstandTitle() + " – Klasse aus " + ShownPath(folder);
}

std::string ClassReadingText(std::size_t read, std::size_t files) {
    return "Lese die Lernstände: " + std::to_string(read) + " von " + std::to_string(files) +
           " Dateien …";
}

std::string ClassReadText(std::size_t counted, std::size_t files, bool cancelled) {
    std::string text = std::to_string(counted) + (counted == 1 ? " Kind" : " Kinder");
    if (files != counted) {
        text += ", " + std::to_string(files - counted) +
                (files - counted == 1 ? " Datei" : " Dateien") + " nicht gezählt";
    }
    return cancelled ? "Abgebrochen: " + text + " aus den bis dahin gelesenen Dateien" : text;
}

std::string PupilNote(const JournalReading& reading, bool olderCopy) {
    using Found = JournalReading::Found;
    switch (reading.found) {
    case Found::Answers:
        return olderCopy ? "ältere Kopie" : "";
    case Found::Nothing:
        return "nicht mehr da";
    case Found::Newer:
        return kFromNewerVersion;
    case Found::Empty:
    case Found::Foreign:
        return WithReason(kNotAJournal, reading.problem);
    case Found::Unreadable:
    case Found::Busy:
        break;
    }
    return WithReason(kNotReadable, reading.problem);
}

std::string FolderNotReadText(const std::filesystem::path& folder, const std::string& reason) {
    return "Der Ordner " + Quoted(folder) + " ließ sich nicht lesen (" + Reason(reason) + ").";
}
