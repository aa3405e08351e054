#pragma once

#include "journal/JournalEntry.h"

#include <vector>

class SqliteConnection;

// Every answer of the journal with its round, in the order they were written. The file may have
// been edited by hand, so a row with a value the program would never write is left out.
std::vector<JournalAnswer> ReadJournalAnswers(const SqliteConnection& connection);

// Every answer of the journal without its round, in the order they were written, with the same
// rows left out. Several times faster than ReadJournalAnswers on a big journal.
std::vector<RecordedAnswer> ReadRecordedAnswers(const SqliteConnection& connection);
