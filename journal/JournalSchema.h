#pragma once

#include "facts/Answer.h"

#include <optional>
#include <string_view>

class SqliteConnection;

// The schema version this program writes, kept in the database's user_version.
constexpr int kJournalVersion = 1;

// Teachers' tools may read the journal, so its tables are part of the program's interface.
extern const char* const kJournalSchema;

// Whether the database holds the journal's two tables with exactly their columns.
bool HasJournalTables(const SqliteConnection& connection);

// What a database file holds: nothing yet (the drill creates the file first and its tables a
// moment later), this program's journal, a journal of a newer version, or something else.
enum class JournalContent { Empty, Current, Newer, Foreign };

// Call inside a transaction, so that all statements see the same state of the file.
JournalContent InspectJournal(const SqliteConnection& connection);

std::string_view OutcomeText(AnswerOutcome outcome);
std::optional<AnswerOutcome> OutcomeFromText(std::string_view text);
