#include "analyzer/screens/tableprint.h"

#include "ui/pageengine.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <numeric>

namespace pellard {

QFont TablePrintSettings::DefaultFont() {
    QFont f("MS Sans Serif");
    f.setPointSizeF(8);
    return f;
}

QString QtDateFormat(const QString& format) {
    QString out = format;
    out.replace('m', 'M');  // months; the other letters mean the same
    return out;
}

QString PageNumberText(int page, int pages, const QString& separator) {
    return "Page " + QString::number(page) + separator + QString::number(pages);
}

namespace {

constexpr double kMm = 1.0 / ui::MmPerInch;
// Rows measured for the column widths; a long table is not read whole.
constexpr int kMeasuredRows = 2000;

double ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

// Natural widths of the columns in inches: the widest text of each column
// (heading in bold) and the spacing on both sides.
std::vector<double> NaturalWidths(const brenvik::StringTable& t, const TablePrintSettings& s) {
    QFont bold = s.cellFont;
    bold.setBold(true);
    const QFontMetricsF plain(s.cellFont), heading(bold);
    const double dpi = ScreenDpi();
    std::vector<double> widths;
    const int rows = std::min(t.RowCount(), kMeasuredRows);
    for (int c = 0; c < t.ColCount(); ++c) {
        double w = heading.horizontalAdvance(ui::ToQ(t.Cell(c, 0)));
        for (int r = 1; r < rows; ++r)
            w = std::max(w, plain.horizontalAdvance(ui::ToQ(t.Cell(c, r))));
        widths.push_back(w / dpi + 2 * s.colSpacing * kMm + 0.08);
    }
    return widths;
}

// The columns printed together on one run of pages.
std::vector<std::vector<int>> ColumnGroups(const std::vector<double>& widths, double room,
                                           bool repeatFirst) {
    std::vector<std::vector<int>> groups;
    const int n = static_cast<int>(widths.size());
    int c = 0;
    while (c < n) {
        std::vector<int> g;
        double used = 0;
        if (repeatFirst && c > 0) {
            g.push_back(0);
            used = widths[0];
        }
        // Every group takes at least one column of its own, even a too-wide one.
        do {
            g.push_back(c);
            used += widths[static_cast<std::size_t>(c)];
            ++c;
        } while (c < n && used + widths[static_cast<std::size_t>(c)] <= room + 1e-9);
        groups.push_back(std::move(g));
    }
    return groups;
}

}  // namespace

ui::PageDocument TableDocument(const brenvik::StringTable& table, const TablePrintSettings& s,
                               const QPageSize& paper) {
    ui::PageSetup setup;
    setup.paper = paper;
    setup.orientation = s.orientation;
    setup.left = s.leftMargin * kMm;
    setup.top = s.topMargin * kMm;
    setup.right = s.rightMargin * kMm;
    setup.bottom = s.bottomMargin * kMm;
    const double lineHeight = QFontMetricsF(s.headerFont).height() / ScreenDpi();
    setup.header.visible = s.printHeader || s.printDate || s.printTime;
    setup.header.height = lineHeight * 1.6;
    setup.footer.visible = s.printFooter || s.pageNumbers;
    setup.footer.height = lineHeight * 1.6;

    if (s.printHeader) setup.header.left = {s.headerText, s.headerFont};
    QStringList stamp;
    const QDateTime now = QDateTime::currentDateTime();
    if (s.printDate) stamp << now.date().toString(QtDateFormat(s.dateFormat));
    if (s.printTime) stamp << now.time().toString("hh:mm:ss");
    if (!stamp.isEmpty()) setup.header.right = {stamp.join(' '), s.headerFont};
    if (s.printFooter) setup.footer.left = {s.footerText, s.headerFont};

    ui::PageDocument doc(setup);
    auto pages = std::make_shared<int>(1);
    if (s.pageNumbers) {
        const QFont font = s.headerFont;
        const QString separator = s.pageSeparator;
        doc.SetFooterDrawer([pages, font, separator](ui::PageCanvas& c, const QRectF& band) {
            c.TextIn(band, PageNumberText(c.Page(), *pages, separator), font,
                     Qt::AlignHCenter | Qt::AlignVCenter);
        });
    }

    const QRectF content = doc.Setup().ContentRect();
    doc.NewPage();
    double top = content.top();
    if (s.printTitle && !s.title.isEmpty()) {
        const QFont font = s.titleFont;
        const QString title = s.title;
        const double h = QFontMetricsF(font).height() / ScreenDpi() * 1.5;
        const QRectF box(content.left(), top, content.width(), h);
        doc.AddToLast([box, title, font](ui::PageCanvas& c) {
            c.TextIn(box, title, font, Qt::AlignHCenter | Qt::AlignVCenter);
        });
        top += h;
    }

    const std::vector<double> natural = NaturalWidths(table, s);
    const double total = std::accumulate(natural.begin(), natural.end(), 0.0);
    std::vector<std::vector<int>> groups;
    if (s.fitToPage || total <= content.width()) {
        std::vector<int> all(natural.size());
        std::iota(all.begin(), all.end(), 0);
        groups.push_back(std::move(all));
    } else {
        groups = ColumnGroups(natural, content.width(), s.repeatFixedCols);
    }

    const double rowHeight =
        QFontMetricsF(s.cellFont).height() / ScreenDpi() + 2 * s.rowSpacing * kMm + 0.02;
    QFont bold = s.cellFont;
    bold.setBold(true);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        // Columns of the group, with empty fillers that keep natural widths
        // (or centre the table) when it is not fitted to the page.
        std::vector<int> cols = groups[g];
        std::vector<double> weights;
        double used = 0;
        for (int c : cols) used += natural[static_cast<std::size_t>(c)];
        const double spare = s.fitToPage ? 0 : std::max(0.0, content.width() - used);
        int lead = 0;
        if (spare > 0 && s.centered) {
            cols.insert(cols.begin(), -1);
            weights.push_back(spare / 2);
            lead = 1;
        }
        for (std::size_t i = lead; i < cols.size(); ++i)
            weights.push_back(natural[static_cast<std::size_t>(cols[i])]);
        if (spare > 0) {
            cols.push_back(-1);
            weights.push_back(s.centered ? spare / 2 : spare);
        }

        if (g > 0) {
            doc.NewPage();
            top = content.top();
        }
        ui::TableFlow flow;
        flow.columnWeights = weights;
        flow.rowCount = table.RowCount();
        flow.rowHeight = [rowHeight](int) { return rowHeight; };
        flow.headingRows = s.repeatFixedRows ? 1 : 0;
        flow.top = top;
        const double hs = s.colSpacing * kMm + 0.04, vs = s.rowSpacing * kMm;
        const bool borders = s.borders;
        const Qt::PenStyle style = s.borderStyle;
        const QFont plain = s.cellFont;
        flow.drawCell = [&table, cols, hs, vs, borders, style, plain, bold](
                            ui::PageCanvas& c, int col, int row, const QRectF& cell) {
            const int source = cols[static_cast<std::size_t>(col)];
            if (source < 0) return;
            c.TextIn(cell.adjusted(hs, vs, -hs, -vs), ui::ToQ(table.Cell(source, row)),
                     row == 0 ? bold : plain, Qt::AlignLeft | Qt::AlignVCenter);
            if (borders) {
                QPainter& p = c.Painter();
                p.save();
                QPen pen(Qt::black, 0);
                pen.setStyle(style);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(c.Px(cell));
                p.restore();
            }
        };
        doc.AddTable(flow);
    }
    *pages = doc.PageCount();
    return doc;
}

}  // namespace pellard
