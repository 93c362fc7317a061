#include "store/sales/scan.h"

#include "store/core/error.h"
#include "store/core/fields.h"
#include "store/core/money.h"
#include "store/inventory/store.h"

#include <cstdint>

namespace brenvik {

std::optional<int> ReadInteger(std::string_view text) {
    std::int32_t value = 0;
    if (!ParseWholeNumber(text, value)) return std::nullopt;
    return value;
}

std::string NotAValidIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

int FindItem(const StringTable& data, std::string_view barcode) {
    const int col = GridField(data, "bar code");
    int found = -1;
    for (int r = 1; r < data.RowCount(); ++r)
        if (StripNonNumeric(data.Cell(col, r)) == barcode) found = r;
    return found;
}

int LineInventoryRow(const StringTable& data, std::string_view barcode) {
    if (barcode.find("Item #: ") == std::string_view::npos) return FindItem(data, barcode);
    const auto row = ReadInteger(StripNonNumeric(barcode));
    // A number that names no item row is a line without a row, like any
    // unknown code.
    if (!row || *row < 1 || *row >= data.RowCount()) return -1;
    return *row;
}

ScanResult ApplyScan(std::vector<SaleLine>& lines, const StringTable& data, std::string_view code) {
    const int row = FindItem(data, StripNonNumeric(code));
    if (row < 0) return {};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].barcode != code) continue;
        const auto count = ReadInteger(lines[i].quantity);
        if (!count) throw StoreError(NotAValidIntegerMessage(lines[i].quantity));
        lines[i].quantity = std::to_string(static_cast<long long>(*count) + 1);
        TotalLine(lines[i]);
        return {ScanOutcome::CountedUp, static_cast<int>(i)};
    }
    SaleLine line;
    line.item = data.CellText(GridField(data, "item"), row);
    line.barcode = data.CellText(GridField(data, "bar code"), row);
    line.price = MakeMoney(MultiplyStrings("1", data.Cell(GridField(data, "sale price"), row)));
    line.quantity = "1";
    line.discount = "0";
    TotalLine(line);
    lines.push_back(std::move(line));
    return {ScanOutcome::Appended, static_cast<int>(lines.size()) - 1};
}

}  // namespace brenvik
