#include "store/sales/invoices.h"

#include <algorithm>
#include <cctype>

namespace brenvik {

namespace {

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

int InvoiceField(const StringTable& invoices, std::string_view name) {
    for (int c = 0; c < invoices.ColCount(); ++c)
        if (SameTextIgnoringCase(invoices.Cell(c, 0), name)) return c;
    return -1;
}

bool IsBlankRow(const StringTable& table, int row) {
    for (int c = 0; c < table.ColCount(); ++c)
        if (!table.Cell(c, row).empty()) return false;
    return true;
}

namespace {

int LowestBlankRow(const StringTable& invoices) {
    for (int r = 1; r < invoices.RowCount(); ++r)
        if (IsBlankRow(invoices, r)) return r;
    return -1;
}

}  // namespace

int FindFreeInvoice(StringTable& invoices) {
    if (int r = LowestBlankRow(invoices); r > 0) return r;
    if (invoices.RowCount() >= MaxInvoiceRows) return -1;
    invoices.SetRowCount(invoices.RowCount() + 1);
    return invoices.RowCount() - 1;
}

bool HasFreeInvoiceRow(const StringTable& invoices) {
    return invoices.RowCount() < MaxInvoiceRows || LowestBlankRow(invoices) > 0;
}

std::string InvoiceTableFullMessage() {
    return "The invoice history is full (" + std::to_string(MaxInvoiceRows - 1) +
           " records), so nothing has been recorded and the stock is unchanged.  "
           "Export and purge older records in Invoice History, then try again.";
}

}  // namespace brenvik
