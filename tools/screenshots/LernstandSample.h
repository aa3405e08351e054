#pragma once

#include "journal/UtcTime.h"

#include <cstdint>
#include <filesystem>

// Records two weeks of a child's practice into the journal at path, ending at now: rows 3 to 9,
// most facts sitting, a few answered wrongly or slowly of late. Another seed gives another child.
void RecordLernstandSample(const std::filesystem::path& journal, WallTime now,
                           std::uint32_t seed = 20261208);
