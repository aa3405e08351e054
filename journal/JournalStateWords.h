#pragma once

#include <string_view>

// What a journal turned out to be when it could not be used, worded once for every sentence that
// tells it: the Lernstand's messages, the class list's notes and the drill's hand-in line.
inline constexpr std::string_view kJournalFromNewerVersion = "von einer neueren Version";
inline constexpr std::string_view kJournalNotAJournal = "kein Lernstand";
inline constexpr std::string_view kJournalNotReadable = "nicht lesbar";
