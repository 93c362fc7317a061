#include "store/reports/screens/reportpages.h"

#include "store/core/safefile.h"
#include "ui/text.h"

#include <QBuffer>
#include <QPdfWriter>

#include <memory>

namespace brenvik {

QFont ReportTableFont() {
    QFont font("Arial");
    font.setPointSizeF(8);
    return font;
}

void AddReportTable(ui::PageDocument& doc, const StringTable& table) {
    auto cells = std::make_shared<const StringTable>(table);
    const QFont font = ReportTableFont();
    // A line of 8-point text with its leading.
    const double rowHeight = font.pointSizeF() * 1.25 / 72.0;
    ui::TableFlow flow;
    flow.columnWeights.assign(std::size_t(table.ColCount()), 1.0);
    flow.rowCount = table.RowCount();
    flow.headingRows = 1;
    flow.rowHeight = [rowHeight](int) { return rowHeight; };
    flow.drawCell = [cells, font](ui::PageCanvas& c, int col, int row, const QRectF& cell) {
        const std::string_view text = cells->Cell(col, row);
        if (text.empty()) return;
        // A little room between neighbouring columns.
        const QRectF box = cell.adjusted(0, 0, -0.04, 0);
        c.TextIn(box, ui::ToQ(text), font, Qt::AlignLeft | Qt::AlignVCenter);
    };
    doc.AddTable(flow);
}

void SaveReportPdf(const StringTable& table, const std::string& path) {
    ui::PageDocument doc;
    doc.NewPage();
    AddReportTable(doc, table);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        doc.RenderAll(writer);
    }
    WriteFileSafely(path, std::string_view(buffer.data().constData(), std::size_t(buffer.size())),
                    "Cannot create file " + path);
}

}  // namespace brenvik
