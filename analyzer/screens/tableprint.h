#pragma once
// Printing the analysis window's tables (view, filter table, statistics and
// report table): each table keeps its own print settings; the page layout
// flows the table over pages with the page engine.
#include "store/core/stringtable.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <functional>

class QWidget;

namespace ui {
class PageDocument;
}

namespace pellard {

struct TablePrintSettings {
    // Borders
    bool borders = false;
    Qt::PenStyle borderStyle = Qt::SolidLine;
    // General
    bool centered = false;         // the table centred between the margins
    bool repeatFixedRows = false;  // the heading row again on every page
    bool repeatFixedCols = false;  // the first column again on pages of further columns
    bool fitToPage = false;        // columns squeezed or stretched to the page width
    // Fonts
    QFont cellFont = DefaultFont();
    QFont titleFont = DefaultFont();
    QFont headerFont = DefaultFont();  // header and footer lines
    // Date and time, in the header's right corner
    bool printDate = false;
    bool printTime = false;
    QString dateFormat = "dd/mm/yyyy";
    // Title, above the table on the first page
    bool printTitle = false;
    QString title;
    // Pages
    bool printHeader = false;
    QString headerText;
    bool printFooter = false;
    QString footerText;
    bool pageNumbers = false;
    QString pageSeparator = "/";
    // Margins and spacing, millimetres
    double leftMargin = 0, topMargin = 0, rightMargin = 0, bottomMargin = 0;
    double colSpacing = 0, rowSpacing = 0;
    // Orientation
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    static QFont DefaultFont();  // "MS Sans Serif", 8 points
};

// What an analysis window keeps: each of its four tables prints with its own
// settings.
struct WindowPrintSettings {
    TablePrintSettings view, filters, statistics, report;
};

// A date format written with d, m and y ("dd/mm/yyyy") in Qt's letters.
QString QtDateFormat(const QString& format);
// "Page 2/5" with the settings' separator.
QString PageNumberText(int page, int pages, const QString& separator);

// The table laid out on pages of `paper`. The document draws from `table`,
// which must outlive it.
ui::PageDocument TableDocument(const brenvik::StringTable& table, const TablePrintSettings& s,
                               const QPageSize& paper = QPageSize(QPageSize::A4));

}  // namespace pellard
