#include "journal/JournalSchema.h"

#include "journal/SqliteConnection.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Version 1: every round and every answer.
constexpr const char* kRoundsAndAnswers = R"(CREATE TABLE rounds (
  id            INTEGER PRIMARY KEY,
  started_at    TEXT    NOT NULL,  -- UTC, 'YYYY-MM-DDTHH:MM:SS.mmmZ'
  problem_total INTEGER NOT NULL,
  timed         INTEGER NOT NULL,  -- 1 when the countdown runs (timed mode "on", positive interval)
  step_tenths   INTEGER NOT NULL,  -- the time setting in force
  rows          TEXT    NOT NULL   -- the enabled rows, ascending, comma-separated: '3,4,7'
);
CREATE TABLE answers (
  id          INTEGER PRIMARY KEY,
  round_id    INTEGER NOT NULL REFERENCES rounds(id),
  answered_at TEXT    NOT NULL,  -- UTC, same format
  multiplier  INTEGER NOT NULL CHECK (multiplier BETWEEN 1 AND 10),
  table_row   INTEGER NOT NULL CHECK (table_row BETWEEN 1 AND 20),
  answer      TEXT    NOT NULL,  -- the text evaluated; '' for an empty Enter and for a time-out
  outcome     TEXT    NOT NULL CHECK (outcome IN ('richtig', 'falsch', 'leer', 'zeit')),
  response_ms INTEGER NOT NULL   -- from the problem being shown to its evaluation
);
CREATE INDEX answers_by_fact ON answers (table_row, multiplier, id);
)";

// Version 2: the child's name travels with the answers, also in a copy for the teacher.
constexpr const char* kChild = R"(CREATE TABLE child (
  id   INTEGER PRIMARY KEY CHECK (id = 1),  -- a journal is one child's: one row at most
  name TEXT    NOT NULL  -- as a grown-up typed it in the Lernstand; no row while none is given
);
)";

void SetVersion(const SqliteConnection& connection) {
    connection.Execute(("PRAGMA user_version = " + std::to_string(kJournalVersion)).c_str());
}

std::vector<std::string> ColumnNames(const SqliteConnection& connection, std::string_view table) {
    SqliteStatement columns =
        connection.Prepare("SELECT name FROM pragma_table_info(?) ORDER BY cid");
    columns.Bind(1, table);
    std::vector<std::string> names;
    while (columns.Step()) {
        names.push_back(columns.Text(0));
    }
    return names;
}

constexpr std::array<std::pair<AnswerOutcome, std::string_view>, 4> kOutcomeTexts{{
    {AnswerOutcome::Right, "richtig"},
    {AnswerOutcome::Wrong, "falsch"},
    {AnswerOutcome::Empty, "leer"},
    {AnswerOutcome::TimeOut, "zeit"},
}};

} // namespace

bool HasJournalTables(const SqliteConnection& connection) {
    using Names = std::vector<std::string>;
    // A view or a virtual table may carry the same column names and compute without end.
    const std::int64_t realTables = connection.QueryInteger(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('rounds', "
        "'answers') AND sql LIKE 'CREATE TABLE %'");
    return realTables == 2 &&
           ColumnNames(connection, "rounds") ==
               Names{"id", "started_at", "problem_total", "timed", "step_tenths", "rows"} &&
           ColumnNames(connection, "answers") == Names{"id",         "round_id",   "answered_at",
                                                       "multiplier", "table_row",  "answer",
                                                       "outcome",    "response_ms"};
}

JournalContent InspectJournal(const SqliteConnection& connection) {
    const std::int64_t version = connection.QueryInteger("PRAGMA user_version");
    if (version > kJournalVersion) {
        return JournalContent::Newer;
    }
    if (version == 0 && connection.QueryInteger("SELECT count(*) FROM sqlite_master") == 0) {
        return JournalContent::Empty;
    }
    if (version < 1 || !HasJournalTables(connection)) {
        return JournalContent::Foreign;
    }
    if (version == 1) {
        return JournalContent::Older;
    }
    return ColumnNames(connection, "child") == std::vector<std::string>{"id", "name"}
               ? JournalContent::Current
               : JournalContent::Foreign;
}

void CreateJournalTables(const SqliteConnection& connection) {
    connection.Execute(kRoundsAndAnswers);
    connection.Execute(kChild);
    SetVersion(connection);
}

void UpgradeJournalTables(const SqliteConnection& connection) {
    SetVersion(connection);
    connection.Execute(kChild);
}

std::string_view OutcomeText(AnswerOutcome outcome) {
    for (const auto& [known, text] : kOutcomeTexts) {
        if (known == outcome) {
            return text;
        }
    }
    return {};
}

std::optional<AnswerOutcome> OutcomeFromText(std::string_view text) {
    for (const auto& [outcome, known] : kOutcomeTexts) {
        if (known == text) {
            return outcome;
        }
    }
    return std::nullopt;
}
