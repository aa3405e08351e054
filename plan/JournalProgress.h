#pragma once

#include "facts/FactLevel.h"
#include "facts/RowsInForce.h"
#include "facts/TypingCheck.h"
#include "journal/ReadOnlyJournal.h"

#include <chrono>
#include <filesystem>
#include <optional>

// What a look at the journal found: the newest typing check, the threshold for "fast" it gives
// the child, and the progress of every fact of the rows asked for.
struct JournalProgress {
    JournalReading reading;
    std::optional<TypingCheck> typingCheck;
    std::chrono::milliseconds threshold{};
    FactProgressTable progress{};
};

// Reads only the newest answers of each fact that its level needs, so a round starts at once even
// on a journal of months; the levels count with the chosen threshold grown by the newest typing
// check. The journal is only read.
JournalProgress ReadJournalProgress(const std::filesystem::path& journal, const RowSwitches& rows,
                                    std::chrono::milliseconds chosenThreshold);
