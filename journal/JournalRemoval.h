#pragma once

#include <filesystem>
#include <system_error>

// Deletes the journal with its write-ahead log and shared index. The log goes first: a log left
// behind without its database would be replayed into the next journal. A missing file is no
// failure.
std::error_code RemoveJournal(const std::filesystem::path& journal);
