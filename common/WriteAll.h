#pragma once

#include <string_view>

// Writes all of content to the open file, again after a signal or a short write; false with
// errno set when the file takes no more (a write of nothing counts as EIO).
bool WriteAll(int fd, std::string_view content);
