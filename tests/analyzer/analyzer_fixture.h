#pragma once
// A small transaction file in memory, loaded as the analyzer loads files.
#include "analyzer/logview.h"

#include <string>

namespace analyzer_test {

inline void LoadCSV(pellard::LogBase& base, const std::string& csv) { base.LoadBytes(csv); }

// The cells of one view column, data rows only.
inline std::vector<std::string> Column(const pellard::LogView& view, int col) {
    std::vector<std::string> out;
    for (int r = 1; r < view.RowCount(); ++r) out.emplace_back(view.Cell(col, r));
    return out;
}

}  // namespace analyzer_test
