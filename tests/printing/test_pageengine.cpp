#include "ui/pageengine.h"

#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPrinter>
#include <QProcess>

using namespace ui;

namespace {

// The text of one page of a PDF.
QString PageText(const QString& pdf, int page) {
    QProcess p;
    p.start("pdftotext",
            {"-f", QString::number(page), "-l", QString::number(page), "-layout", pdf, "-"});
    EXPECT_TRUE(p.waitForFinished(20000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

PageDocument Report() {
    PageSetup setup;
    setup.header.visible = true;
    setup.header.rule = true;
    setup.header.left.text = "Hat Shop";
    setup.header.center.text = "Page {PAGE}";
    setup.footer.visible = true;
    setup.footer.right.text = "end of {PAGE}";
    PageDocument doc(setup);
    TableFlow table;
    table.columnWeights = {2, 1};
    table.rowCount = 61;
    table.headingRows = 1;
    table.rowHeight = [](int) { return 0.25; };
    table.drawCell = [](PageCanvas& c, int col, int row, const QRectF& cell) {
        QFont font("DejaVu Sans");
        font.setPointSize(9);
        const QString text =
            row == 0 ? (col ? "Qty" : "Heading") : QString("r%1c%2").arg(row).arg(col);
        c.Text(cell.topLeft(), text, font);
    };
    doc.AddTable(table);
    return doc;
}

}  // namespace

TEST(PageEngine, TableFlowsWithHeadingsBandsAndPageNumbers) {
    test::ScriptedPlatform ui;
    const PageDocument doc = Report();
    // Letter: 11 - 0.5 - 0.5 margins - 0.5 - 0.5 bands = 9 inches, 36 rows.
    ASSERT_EQ(doc.PageCount(), 2);
    QPrinter printer;
    ASSERT_TRUE(PrintDocument(printer, doc, "Report"));
    const QString pdf = ui.PrintedFiles().at(0);
    const QString one = PageText(pdf, 1), two = PageText(pdf, 2);
    EXPECT_TRUE(one.contains("Page 1")) << one.toStdString();
    EXPECT_TRUE(one.contains("end of 1"));
    EXPECT_TRUE(two.contains("Page 2"));
    EXPECT_TRUE(two.contains("end of 2"));
    EXPECT_TRUE(one.contains("Heading"));
    EXPECT_TRUE(two.contains("Heading"));  // repeated on the next page
    EXPECT_TRUE(one.contains("r35c0"));
    EXPECT_FALSE(one.contains("r36c0"));
    EXPECT_TRUE(two.contains("r36c0"));
    EXPECT_TRUE(two.contains("r60c1"));

    // The same document written straight to a PDF file.
    test::TempFolder dir;
    ASSERT_TRUE(SavePdf(dir.QPath() + "report.pdf", doc));
    EXPECT_EQ(test::PdfPageCount(dir.QPath() + "report.pdf"), 2);
}

TEST(PageEngine, OutlinesOnScreenOnlyPicturesAndClipping) {
    test::App();
    PageSetup setup;
    PageDocument doc(setup);
    doc.NewPage();
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    doc.AddToLast([](PageCanvas& c) { c.Outline(QRectF(1, 1, 2, 2), Qt::black); });
    doc.AddToLast([red](PageCanvas& c) {
        c.ClipTo([] {
            QPainterPath p;
            p.addEllipse(QRectF(4, 1, 2, 2));
            return p;
        }());
        c.Picture(red, QRectF(4, 1, 2, 2));
    });
    const double dpi = 50;
    const QImage screen = RenderPageImage(doc, 0, dpi);
    EXPECT_EQ(screen.size(), QSize(425, 550));
    auto at = [dpi](const QImage& img, double x, double y) {
        return QColor(img.pixel(int(x * dpi), int(y * dpi)));
    };
    // The outline's top edge: dotted, so look along it.
    auto marked = [dpi](const QImage& img) {
        for (int x = int(1.2 * dpi); x < int(2.8 * dpi); ++x)
            for (int y = int(dpi) - 1; y <= int(dpi) + 1; ++y)
                if (QColor(img.pixel(x, y)).lightness() < 200) return true;
        return false;
    };
    EXPECT_TRUE(marked(screen));
    EXPECT_EQ(at(screen, 5, 2), QColor(Qt::red));        // the picture inside the circle
    EXPECT_EQ(at(screen, 4.1, 1.1), QColor(Qt::white));  // cut off at the corner

    QImage print(screen.size(), QImage::Format_RGB32);
    print.setDotsPerMeterX(screen.dotsPerMeterX());
    print.setDotsPerMeterY(screen.dotsPerMeterY());
    print.fill(Qt::white);
    QPainter painter(&print);
    doc.RenderPage(painter, 0, false);
    painter.end();
    EXPECT_FALSE(marked(print));  // no outline on paper
    EXPECT_EQ(at(print, 5, 2), QColor(Qt::red));
}
