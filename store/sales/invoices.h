#pragma once
// The invoice table: one record per sale or refund, eleven columns under a
// heading row that the program always writes itself. Blank rows (every cell
// empty) are free places for new records.
#include "store/core/stringtable.h"
#include "store/inventory/store.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

inline constexpr int InvoiceColumnCount = 11;
// Rows of the invoice table, heading row included, never grow beyond this.
inline constexpr int MaxInvoiceRows = 10000;

// First column whose heading equals `name` ignoring case; -1 when none.
int InvoiceField(const StringTable& invoices, std::string_view name);

bool IsBlankRow(const StringTable& table, int row);

// The row a new record goes into: the lowest blank row, or a row appended
// while the table is below its limit; -1 when the table is full (the newest
// record is never overwritten). Appends only when it returns a new row.
int FindFreeInvoice(StringTable& invoices);
// True when FindFreeInvoice would find a row, without changing anything.
bool HasFreeInvoiceRow(const StringTable& invoices);

// The message shown when a sale or refund cannot be recorded because the
// table is full.
std::string InvoiceTableFullMessage();

}  // namespace brenvik
