#pragma once

#include "facts/Answer.h"

#include <optional>
#include <string_view>

class SqliteConnection;

// The schema version this program writes, kept in the database's user_version. Version 1 held
// the rounds and the answers; version 2 adds the child's name, version 3 the typing checks.
constexpr int kJournalVersion = 3;

// Why a database without the journal's tables cannot be used.
constexpr const char* kNotAJournal = "keine Lernstand-Datenbank";

// What a database file holds: nothing yet (the drill creates the file first and its tables a
// moment later), a journal of an older version (read as it is, brought to this version by the
// first write), this program's journal, a journal of a newer version, or something else.
enum class JournalContent { Empty, Older, Current, Newer, Foreign };

// Call inside a transaction, so that all statements see the same state of the file.
JournalContent InspectJournal(const SqliteConnection& connection);

// Teachers' tools may read the journal, so its tables are part of the program's interface. Call
// inside a writing transaction: the first on an empty database, the second on a journal of an
// older version, which it brings to this version keeping every row.
void CreateJournalTables(const SqliteConnection& connection);
void UpgradeJournalTables(const SqliteConnection& connection);

std::string_view OutcomeText(AnswerOutcome outcome);
std::optional<AnswerOutcome> OutcomeFromText(std::string_view text);
