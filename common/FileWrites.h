#pragma once

#include <filesystem>
#include <string_view>

// Writes all of content to the open file, again after a signal or a short write; false with
// errno set when the file takes no more (a write of nothing counts as EIO).
bool WriteAll(int fd, std::string_view content);

// Syncs the folder, so that a file just renamed into it keeps its name after a power cut. Some
// file systems cannot sync a folder, and a folder may be closed to listing; the rename then stands
// as they keep it.
void SyncFolder(const std::filesystem::path& folder);
