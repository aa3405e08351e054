#pragma once

#include "journal/JournalEntry.h"
#include "journal/ReadOnlyJournal.h"

#include <filesystem>
#include <vector>

// Every valid answer of the journal at path with its round, the oldest first; none without a
// file. The file is only read. Throws std::runtime_error, with a text for the grown-up, when it
// holds no journal of this program's version or cannot be read.
std::vector<JournalAnswer> ReadAnswersWithRounds(const std::filesystem::path& path,
                                                 JournalOrigin origin = JournalOrigin::Own);
