#pragma once
// The view as a table of its own (header row and the data rows as shown), so
// that it is exported and printed exactly like the statistics and report
// tables.
#include "analyzer/logview.h"
#include "store/core/stringtable.h"

namespace pellard {

brenvik::StringTable ViewTable(const LogView& view);

}  // namespace pellard
