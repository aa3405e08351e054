#pragma once

#include "journal/JournalEntry.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The date and the time of day in the computer's time zone: "08.12.2026", "09:15:02".
struct LocalDateTime {
    std::string date;
    std::string time;
};
LocalDateTime LocalDateTimeOf(WallTime time);

// A field as spreadsheets take it literally: one that could start a formula gets a leading
// apostrophe, one holding a separator, a quote or a line break is quoted.
std::string SpreadsheetField(std::string_view text);

// A CSV file that German spreadsheet programs open as they are: UTF-8 with a byte-order mark,
// one line of semicolon-separated fields per row under the header, CRLF line ends.
std::string SpreadsheetCsv(std::string_view header,
                           const std::vector<std::vector<std::string>>& rows);

// Every answer as a CSV file that German spreadsheet programs open as they are: UTF-8 with a
// byte-order mark, semicolons, a decimal comma, local times, one line per answer under the header
// "Datum;Uhrzeit;Aufgabe;Antwort;Ergebnis;Sekunden;Runde".
std::string AnswerTableCsv(std::span<const JournalAnswer> answers);
