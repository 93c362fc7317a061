#pragma once
// "Export" on the View, Data Summary and Report pages: the table, header row
// included, written as a comma-separated file the user names.
#include "analyzer/logview.h"
#include "store/core/stringtable.h"

namespace pellard {

// Asks for a file ("Export Data"), asks before replacing one that exists
// (No asks for another name), writes the table and says so. Returns whether
// the file was written; a file that cannot be written is reported.
bool ExportTable(const brenvik::StringTable& table);

// The View page's "Export": the view as shown.
bool ExportView(const LogView& view);

}  // namespace pellard
