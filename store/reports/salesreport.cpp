#include "store/reports/salesreport.h"

#include "store/core/money.h"

#include <algorithm>

namespace brenvik {

const SalesKindInfo& SalesKindOf(SalesKind kind) {
    static const SalesKindInfo kinds[] = {
        {"Sale Report", {"Item", "Quantity Sold", "Revenue"}, "Invoice Sale"},
        {"Order Report", {"Item", "Quantity Ordered", "Cost"}, "Product Received from Supplier"},
        {"Product Return Report", {"Item", "Quantity Returned", "Refund"}, "Product Return"},
    };
    return kinds[int(kind)];
}

SalesKind SalesKindFromText(std::string_view reportType) {
    if (reportType == SalesKindOf(SalesKind::Sale).reportType) return SalesKind::Sale;
    if (reportType == SalesKindOf(SalesKind::Order).reportType) return SalesKind::Order;
    return SalesKind::Return;
}

std::vector<std::string> SalesReportTypes() {
    std::vector<std::string> types;
    for (SalesKind k : {SalesKind::Sale, SalesKind::Order, SalesKind::Return})
        types.emplace_back(SalesKindOf(k).reportType);
    return types;
}

std::string SalesQuantityText(long double quantity) {
    std::string text = WholeNumber(quantity);
    if (text.size() < 2) text.insert(0, 2 - text.size(), ' ');
    return text;
}

namespace {

// Position of a history field among the headings, ignoring case; -1 if none.
int HistoryColumn(const std::vector<std::string>& headings, std::string_view name) {
    int found = -1;
    for (std::size_t i = 0; i < headings.size(); ++i)
        if (EqualIgnoringCase(headings[i], name)) found = int(i);
    return found;
}

// A number of a history cell: stripped to its numeric characters; an empty
// cell or one that still does not read adds nothing.
long double CellAmount(std::string_view cell) {
    long double value = 0;
    if (cell.empty() || !ReadNumber(StripNonNumeric(cell), value)) return 0;
    return value;
}

}  // namespace

StringTable BuildQuickSalesReport(const StringTable& data,
                                  const std::vector<HistoryList>& histories,
                                  const SalesReportInput& in) {
    const int items = data.RowCount() - 1;
    const SalesKindInfo& kind = SalesKindOf(in.kind);
    StringTable report;
    report.SetSize(3, items + 2);
    for (int c = 0; c < 3; ++c) report.SetCell(c, 0, kind.headings[std::size_t(c)]);
    if (items <= 0) return report;

    const int itemColumn = HeadingColumn(data, "item");
    const std::size_t width = std::max<std::size_t>(in.historyHeadings.size(), 1);
    const int dateCol = HistoryColumn(in.historyHeadings, "date");
    const int activityCol = HistoryColumn(in.historyHeadings, "Activity");
    const int quantityCol = HistoryColumn(in.historyHeadings, "Quantity");
    const int totalCol = HistoryColumn(in.historyHeadings, "Total");
    // Days count twice over, so that "now" (an undated entry) lies between
    // today's midnight and tomorrow's.
    const long now = 2 * DayNumber(in.today) + 1;
    const long from = in.from ? 2 * DayNumber(*in.from) : 0;
    const long to = in.to ? 2 * DayNumber(*in.to) : 0;
    static const HistoryList kNoHistory;

    long double grandQuantity = 0, grandAmount = 0;
    int out = 1;
    for (int item = 0; item < items; ++item) {
        const int row = item + 1;
        if (!in.reported || in.reported(item)) {
            report.SetCell(0, out, data.Cell(itemColumn, row));
            const HistoryList& history =
                std::size_t(row) < histories.size() ? histories[std::size_t(row)] : kNoHistory;
            auto cell = [&](std::size_t entry, int col) -> std::string_view {
                const std::size_t at = entry * width + std::size_t(col);
                return col >= 0 && at < history.size() ? std::string_view(history[at])
                                                       : std::string_view();
            };
            long double quantity = 0, amount = 0;
            const std::size_t entries = (history.size() + width - 1) / width;
            for (std::size_t e = 0; e < entries; ++e) {
                std::optional<Date> date = ParseDate(cell(e, dateCol));
                const long when = date ? 2 * DayNumber(*date) : now;
                if ((in.from && from > when) || (in.to && to < when)) continue;
                if (cell(e, activityCol) != kind.activity) continue;
                quantity += CellAmount(cell(e, quantityCol));
                amount += CellAmount(cell(e, totalCol));
            }
            grandQuantity += quantity;
            grandAmount += amount;
            report.SetCell(1, out, SalesQuantityText(quantity));
            report.SetCell(2, out, "$" + TwoDecimals(amount));
            ++out;
        }
        report.SetCell(1, out, "Total: " + SalesQuantityText(grandQuantity));
        report.SetCell(2, out, "Total: $" + TwoDecimals(grandAmount));
    }
    return report;
}

}  // namespace brenvik
