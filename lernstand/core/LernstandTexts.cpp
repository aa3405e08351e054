#include "lernstand/core/LernstandTexts.h"

#include "common/ApplicationTitle.h"

namespace {

const std::string kProduct(kProductName);

std::string Quoted(const std::filesystem::path& file) {
    return QuotedName(file.string());
}

} // namespace

std::string QuotedName(const std::string& fileName) {
    return "„" + fileName + "“";
}

std::string LernstandTitle() {
    return kProduct + " Lernstand";
}

std::string LernstandTitle(const std::filesystem::path& othersJournal) {
    return LernstandTitle() + " – " + othersJournal.filename().string() + " aus " +
           othersJournal.parent_path().string();
}

std::string NewerJournalText(const std::filesystem::path& journal, RefusedUse refused) {
    return "Der Lernstand " + Quoted(journal) + " stammt von einer neueren Version von " +
           kProduct + " und kann hier nicht " +
           (refused == RefusedUse::Open ? "geöffnet" : "angezeigt") + " werden.";
}

std::string NewerJournalText() {
    return "Der Lernstand stammt von einer neueren Version von " + kProduct + ".";
}

std::string NotAJournalText(const std::filesystem::path& file, const std::string& reason) {
    return "Die Datei " + Quoted(file) + " ist kein Lernstand von " + kProduct + " (" + reason +
           ").";
}

std::string NotAJournalText() {
    return "Die Datei ist kein Lernstand von " + kProduct + ".";
}

std::string UnreadableJournalText(const std::filesystem::path& journal, const std::string& reason) {
    return "Der Lernstand " + Quoted(journal) + " ist beschädigt oder nicht lesbar (" + reason +
           ").";
}

std::string NotDeletedText(const std::filesystem::path& journal, const std::string& reason) {
    return "Der Lernstand " + Quoted(journal) + " konnte nicht gelöscht werden (" + reason + ").";
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
