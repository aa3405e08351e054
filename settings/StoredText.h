#pragma once

#include <string>
#include <string_view>

// A value from a settings file as UTF-8. The file's own character set is Windows-1252, so a value
// that is not valid UTF-8 is decoded from it; valid UTF-8 (a file edited on Linux) stays as it
// is. cut tells that the value was cut to the reader's length limit: then a UTF-8 character the
// cut split is dropped instead of taking the whole value for Windows-1252.
std::string StoredTextToUtf8(std::string_view bytes, bool cut);
