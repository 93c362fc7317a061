#pragma once
// A transaction file in memory with its view, and the report input over it.
#include "analyzer/reports.h"
#include "analyzer/summaries.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace periods_test {

struct Log {
    pellard::LogBase base;
    std::unique_ptr<pellard::LogView> view;

    explicit Log(const std::string& csv) {
        // Files end their lines with CR LF.
        std::string bytes;
        for (char c : csv) {
            if (c == '\n') bytes += '\r';
            bytes += c;
        }
        base.LoadBytes(bytes);
        view = std::make_unique<pellard::LogView>(base);
        view->Refresh(pellard::FieldEntries(base, true), nullptr);
    }

    // Value fields: the fields with these indexes, checked, in this order.
    pellard::ReportInput Input(std::vector<int> valueFields,
                               std::optional<int> dateColumn = 0) const {
        pellard::ReportInput in;
        in.view = view.get();
        for (int f : valueFields) in.valueFields.push_back({std::string(base.Name(f)), f, true});
        in.dateColumn = dateColumn;
        in.today = pellard::Today();
        return in;
    }
};

// The table as rows of cells, for comparisons that print well.
inline std::vector<std::vector<std::string>> Cells(const brenvik::StringTable& t) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < t.RowCount(); ++r) {
        auto& row = rows.emplace_back();
        for (int c = 0; c < t.ColCount(); ++c) row.emplace_back(t.Cell(c, r));
    }
    return rows;
}

inline std::vector<std::string> Column(const brenvik::StringTable& t, int col) {
    std::vector<std::string> out;
    for (int r = 1; r < t.RowCount(); ++r) out.emplace_back(t.Cell(col, r));
    return out;
}

}  // namespace periods_test
