#pragma once

#include "common/WallTime.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// "2026-12-08T09:15:02.347Z": the form the journal stores times in.
std::string JournalTimeText(WallTime time);
// The time a JournalTimeText stands for; nullopt for any other text.
std::optional<WallTime> ParseJournalTime(std::string_view text);
// "20261208T091502Z": short enough for a file name.
std::string CompactTimeText(WallTime time);
