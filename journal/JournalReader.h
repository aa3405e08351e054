#pragma once

#include "facts/Fact.h"
#include "facts/TypingCheck.h"
#include "journal/JournalEntry.h"
#include "journal/SqliteStatement.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class SqliteConnection;

// Every answer of the journal with its round, in the order they were written. The file may have
// been edited by hand, so a row with a value the program would never write is left out.
std::vector<JournalAnswer> ReadJournalAnswers(const SqliteConnection& connection);

// Every answer of the journal without its round, in the order they were written, with the same
// rows left out. Several times faster than ReadJournalAnswers on a big journal.
std::vector<RecordedAnswer> ReadRecordedAnswers(const SqliteConnection& connection);

// The child's name kept in the journal; empty when there is none, as in a journal of version 1.
std::string ReadChildName(const SqliteConnection& connection);

// The newest typing check with every Enter of it, in order; none in a journal of an older version
// or without a check. Reads only the check's own rows, the newest of the table, and leaves out
// rows the program would never write.
std::optional<TypingCheck> ReadNewestTypingCheck(const SqliteConnection& connection);

// Reads the answers to single facts, the newest first, with the same rows left out. Reads no more
// of a big journal than asked for, and one statement serves every fact.
class FactAnswerReader {
public:
    explicit FactAnswerReader(const SqliteConnection& connection);

    // Hands the fact's answers to visit until it returns false or none are left.
    void Read(Fact fact, const std::function<bool(const RecordedAnswer&)>& visit);

private:
    SqliteStatement query_;
};
