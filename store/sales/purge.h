#pragma once
// Choosing invoice records to purge and removing them.
#include "store/core/datetext.h"
#include "store/core/stringtable.h"

#include <vector>

namespace brenvik {

struct PurgeSelection {
    std::vector<int> rows;  // table rows, in table order
    int unreadable = 0;     // rows passed over because their date cannot be read
};

// Every record row, blank rows included.
PurgeSelection SelectEverything(const StringTable& invoices);
// Rows whose date cell reads as a date within [from, to], both ends included.
// Records whose date cannot be read are passed over and counted, never
// selected; blank rows are neither selected nor counted.
PurgeSelection SelectDateRange(const StringTable& invoices, int dateColumn, const Date& from,
                               const Date& to);

// The selected rows in table order followed by one empty row, with the
// table's column count: what the purge dialog keeps and exports.
StringTable PurgeGridOf(const StringTable& invoices, const std::vector<int>& rows);
// The heading row followed by PurgeGridOf: the table the export dialog gets.
StringTable PurgeExportTable(const StringTable& invoices, const std::vector<int>& rows);

// Empties the selected rows, then removes every blank row below the heading
// (also those that were blank before), keeping the order of the rest. A table
// left with only its heading row gets one blank row again.
void PurgeInvoices(StringTable& invoices, const std::vector<int>& rows);

}  // namespace brenvik
