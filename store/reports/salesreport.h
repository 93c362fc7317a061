#pragma once
// The quick sales report: per inventory item, the quantities and amounts of
// one kind of activity in the item's history over a date range, and a
// totals line.
#include "store/core/datetext.h"
#include "store/core/fields.h"
#include "store/core/stringtable.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

enum class SalesKind { Sale, Order, Return };

struct SalesKindInfo {
    const char* reportType;               // the "Report Type:" entry
    std::array<const char*, 3> headings;  // of the report table
    const char* activity;                 // the history activity counted
};
const SalesKindInfo& SalesKindOf(SalesKind kind);
// "Sale Report", "Order Report", and any other text the returns.
SalesKind SalesKindFromText(std::string_view reportType);
// The entries of "Report Type:", in order.
std::vector<std::string> SalesReportTypes();

struct SalesReportInput {
    SalesKind kind = SalesKind::Sale;
    std::optional<Date> from, to;  // both ends inclusive; unset is open
    Date today;  // undated history entries count as now, later than today's midnight
    // Whether item k (table row k + 1) is reported; unset reports every item.
    std::function<bool(int item)> reported;
    // The history table's headings, where the date, activity, quantity and
    // total columns are found by name.
    std::vector<std::string> historyHeadings = HistoryFieldNames();
};

// The report table: 3 columns, (items + 2) rows; one row per reported item in
// table order, then the totals row; later rows empty. Every entry of each
// item's history is read. `histories[r]` belongs to row r of `data`.
StringTable BuildQuickSalesReport(const StringTable& data,
                                  const std::vector<HistoryList>& histories,
                                  const SalesReportInput& input);

// " 5", "12": whole number, half away from zero, at least two characters.
std::string SalesQuantityText(long double quantity);

}  // namespace brenvik
