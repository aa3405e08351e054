#pragma once

#include "facts/FactLevel.h"
#include "facts/RowsInForce.h"
#include "journal/ReadOnlyJournal.h"

#include <chrono>
#include <filesystem>

// What a look at the journal found, and the progress of every fact of the rows asked for.
struct JournalProgress {
    JournalReading reading;
    FactProgressTable progress{};
};

// Reads only the newest answers of each fact that its level needs, so a round starts at once even
// on a journal of months. The journal is only read.
JournalProgress ReadJournalProgress(const std::filesystem::path& journal, const RowSwitches& rows,
                                    std::chrono::milliseconds threshold);
