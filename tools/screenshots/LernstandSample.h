#pragma once

#include "journal/UtcTime.h"

#include <filesystem>

// Records two weeks of a child's practice into the journal at path, ending at now: rows 3 to 9,
// most facts sitting, a few answered wrongly or slowly of late.
void RecordLernstandSample(const std::filesystem::path& journal, WallTime now);
