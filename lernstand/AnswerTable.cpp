#include "lernstand/AnswerTable.h"

#include "lernstand/FactTexts.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeader = "Datum;Uhrzeit;Aufgabe;Antwort;Ergebnis;Sekunden;Runde";

std::vector<std::string> CsvFields(const JournalAnswer& answer) {
    const AnsweredProblem& problem = answer.problem;
    const LocalDateTime when = LocalDateTimeOf(answer.answeredAt);
    const bool answered =
        problem.outcome == AnswerOutcome::Right || problem.outcome == AnswerOutcome::Wrong;
    return {
        when.date,
        when.time,
        FactText(problem.Problem()),
        answered ? problem.answer : std::string(),
        std::string(OutcomeName(problem.outcome)),
        DecimalSeconds(problem.responseMilliseconds),
        std::to_string(answer.round.id),
    };
}

} // namespace

LocalDateTime LocalDateTimeOf(WallTime time) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(time));
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[40];
    char clock[40];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900);
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    return {date, clock};
}

std::string SpreadsheetField(std::string_view text) {
    std::string field;
    // A child may type "-3" or "+56" into the drill; spreadsheets would read a formula.
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string_view::npos &&
        std::string_view("=+-@\t\r").find(text[first]) != std::string_view::npos) {
        field = "'";
    }
    field += text;
    if (field.find_first_of(";\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string SpreadsheetCsv(std::string_view header,
                           const std::vector<std::vector<std::string>>& rows) {
    std::string csv(kByteOrderMark);
    csv += header;
    csv += kLineEnd;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            csv += (i == 0 ? "" : ";") + SpreadsheetField(row[i]);
        }
        csv += kLineEnd;
    }
    return csv;
}

std::string AnswerTableCsv(std::span<const JournalAnswer> answers) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(answers.size());
    for (const JournalAnswer& answer : answers) {
        rows.push_back(CsvFields(answer));
    }
    return SpreadsheetCsv(kHeader, rows);
}
