#include "journal/JournalSchema.h"

#include "journal/SqliteConnection.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

// How each outcome is stored; the answers table allows these texts alone.
constexpr std::array<std::pair<AnswerOutcome, std::string_view>, 4> kOutcomeTexts{{
    {AnswerOutcome::Right, "richtig"},
    {AnswerOutcome::Wrong, "falsch"},
    {AnswerOutcome::Empty, "leer"},
    {AnswerOutcome::TimeOut, "zeit"},
}};

// "'richtig', 'falsch', 'leer', 'zeit'".
std::string OutcomeList() {
    std::string list;
    for (const auto& [outcome, text] : kOutcomeTexts) {
        list += (list.empty() ? "'" : ", '") + std::string(text) + "'";
    }
    return list;
}

// One table of the journal: the statements that create it, as teachers' tools read them in the
// database, and the schema version that brought it. The statements are the one place that names
// the columns.
struct Table {
    std::string_view name;
    int since;
    std::string create;
};

const std::vector<Table>& Tables() {
    static const std::vector<Table> tables = {
        // Every round and every answer.
        {"rounds", 1, R"(CREATE TABLE rounds (
  id            INTEGER PRIMARY KEY,
  started_at    TEXT    NOT NULL,  -- UTC, 'YYYY-MM-DDTHH:MM:SS.mmmZ'
  problem_total INTEGER NOT NULL,
  timed         INTEGER NOT NULL,  -- 1 when the countdown runs (timed mode "on", positive interval)
  step_tenths   INTEGER NOT NULL,  -- the time setting in force
  rows          TEXT    NOT NULL   -- the enabled rows, ascending, comma-separated: '3,4,7'
);
)"},
        {"answers", 1,
         R"(CREATE TABLE answers (
  id          INTEGER PRIMARY KEY,
  round_id    INTEGER NOT NULL REFERENCES rounds(id),
  answered_at TEXT    NOT NULL,  -- UTC, same format
  multiplier  INTEGER NOT NULL CHECK (multiplier BETWEEN 1 AND 10),
  table_row   INTEGER NOT NULL CHECK (table_row BETWEEN 1 AND 20),
  answer      TEXT    NOT NULL,  -- the text evaluated; '' for an empty Enter and for a time-out
  outcome     TEXT    NOT NULL CHECK (outcome IN ()" +
             OutcomeList() +
             R"()),
  response_ms INTEGER NOT NULL   -- from the problem being shown to its evaluation
);
CREATE INDEX answers_by_fact ON answers (table_row, multiplier, id);
)"},
        // The child's name travels with the answers, also in a copy for the teacher.
        {"child", 2, R"(CREATE TABLE child (
  id   INTEGER PRIMARY KEY CHECK (id = 1),  -- a journal is one child's: one row at most
  name TEXT    NOT NULL  -- as a grown-up typed it in the Lernstand; no row while none is given
);
)"},
        // Every Enter of each typing check: checked_at in the UTC format above, the same for all
        // Enters of one check; shown the number asked, typed what the child typed ('' for an
        // empty Enter); response_ms from the number being shown to Enter.
        {"typing", 3,
         "CREATE TABLE typing (id INTEGER PRIMARY KEY, checked_at TEXT NOT NULL, shown TEXT NOT "
         "NULL, typed TEXT NOT NULL, response_ms INTEGER NOT NULL);\n"},
    };
    return tables;
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

// The columns of each table as SQLite reads them from the statements, worked out once.
const std::vector<std::string>& DeclaredColumns(std::string_view table) {
    static const std::map<std::string_view, std::vector<std::string>> declared = [] {
        const SqliteConnection scratch(":memory:");
        std::map<std::string_view, std::vector<std::string>> columns;
        for (const Table& known : Tables()) {
            scratch.Execute(known.create.c_str());
            columns[known.name] = ColumnNames(scratch, known.name);
        }
        return columns;
    }();
    return declared.at(table);
}

// Whether the database holds every table of the version as a table with exactly its columns. A
// view or a virtual table may carry the same column names and compute without end.
bool HasTablesOf(const SqliteConnection& connection, std::int64_t version) {
    for (const Table& table : Tables()) {
        if (table.since > version) {
            continue;
        }
        SqliteStatement real = connection.Prepare(
            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? AND sql LIKE "
            "'CREATE TABLE %'");
        real.Bind(1, table.name);
        if (!real.Step() || real.Integer(0) != 1 ||
            ColumnNames(connection, table.name) != DeclaredColumns(table.name)) {
            return false;
        }
    }
    return true;
}

void SetVersion(const SqliteConnection& connection) {
    connection.Execute(("PRAGMA user_version = " + std::to_string(kJournalVersion)).c_str());
}

} // namespace

JournalContent InspectJournal(const SqliteConnection& connection) {
    const std::int64_t version = connection.QueryInteger("PRAGMA user_version");
    if (version > kJournalVersion) {
        return JournalContent::Newer;
    }
    if (version == 0 && connection.QueryInteger("SELECT count(*) FROM sqlite_master") == 0) {
        return JournalContent::Empty;
    }
    if (version < 1 || !HasTablesOf(connection, version)) {
        return JournalContent::Foreign;
    }
    return version < kJournalVersion ? JournalContent::Older : JournalContent::Current;
}

void CreateJournalTables(const SqliteConnection& connection) {
    for (const Table& table : Tables()) {
        connection.Execute(table.create.c_str());
    }
    SetVersion(connection);
}

void UpgradeJournalTables(const SqliteConnection& connection) {
    const std::int64_t version = connection.QueryInteger("PRAGMA user_version");
    SetVersion(connection);
    for (const Table& table : Tables()) {
        if (table.since > version) {
            connection.Execute(table.create.c_str());
        }
    }
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
