#pragma once
// Hands a table to the analyzer: writes it as CSV to a temporary file in the
// data folder and starts the analyzer on it without waiting.
#include "store/core/stringtable.h"

#include <string>

namespace brenvik {

// `fileName` is one of the hand-off names of store/reports/export.h. A file
// that cannot be written raises StoreError; a failure to start the analyzer
// is not reported (the file stays for a later try).
void HandOffToAnalyzer(const brenvik::StringTable& table, const std::string& dataFolder,
                       const std::string& fileName);

}  // namespace brenvik
