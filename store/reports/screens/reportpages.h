#pragma once
// Report pages: a report table flowed over pages with its heading row
// repeated, columns of equal width filling the space between the margins,
// in Arial 8 point without rules.
#include "store/core/stringtable.h"
#include "ui/pageengine.h"

#include <QFont>
#include <QString>

#include <string>

namespace brenvik {

QFont ReportTableFont();

// Adds the table to the document from its last page on (the document's
// setup must be final). Only the cells of the page being drawn are turned
// into text, so a long report is laid out at once.
void AddReportTable(ui::PageDocument& doc, const StringTable& table);

// The table alone on the default pages, written safely as a PDF file.
// Raises StoreError "Cannot create file <path>" when it cannot be written.
void SaveReportPdf(const StringTable& table, const std::string& path);

}  // namespace brenvik
