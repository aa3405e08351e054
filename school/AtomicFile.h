#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

// Puts content at file in one step: it is written to a hidden temporary file beside it, synced and
// renamed over file. Readers see the old file or the whole new one, never a part; a link planted
// at file's name is replaced, never followed; on failure nothing but the old file is left. The
// new file may be read by everyone (0644), so that pupils read what the teacher writes and the
// teacher what pupils write. Returns the error, empty on success.
std::error_code WriteFileAtomically(const std::filesystem::path& file, std::string_view content);
