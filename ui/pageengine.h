#pragma once
// The page layout engine: pages measured in inches with margins, a header
// and a footer band, and items drawn on them (texts, lines, outlines,
// pictures stretched into boxes, clipping, tables that flow over pages with
// their heading rows repeated). One renderer serves the on-screen preview,
// the printer and PDF files.
//
// Build a PageDocument with its PageSetup, add pages and items (or flow a
// table), then RenderPage it onto any paint device, or PrintDocument it.
// Items are drawn through a PageCanvas, which converts inches to the
// device's pixels, so fonts and lines keep their real size everywhere.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace ui {

inline constexpr double MmPerInch = 25.4;
// The text "{PAGE}" in a band caption stands for the page's number.
inline constexpr const char* PageToken = "{PAGE}";

struct BandCaption {
    QString text;
    QFont font;
    QColor color = Qt::black;
};

// A header or footer band: a strip inside the margins.
struct Band {
    bool visible = false;
    double height = 0.5;  // inches
    bool rule = false;    // a line between the band and the page's content
    BandCaption left, center, right;
};

struct PageSetup {
    QPageSize paper = QPageSize(QPageSize::Letter);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double left = 0.5, top = 0.5, right = 0.5, bottom = 0.5;  // margins, inches
    Band header;
    Band footer;

    QSizeF PageSize() const;    // inches, turned for the orientation
    QRectF HeaderRect() const;  // inches from the page's top-left corner
    QRectF FooterRect() const;
    QRectF ContentRect() const;  // between the margins and the visible bands
    QPageLayout Layout() const;  // the paper without device margins
};

// One page being drawn, in inches.
class PageCanvas {
public:
    PageCanvas(QPainter& painter, const PageSetup& setup, int page, bool screen);

    QPainter& Painter() { return painter_; }
    const PageSetup& Setup() const { return setup_; }
    int Page() const { return page_; }       // 1-based
    bool Screen() const { return screen_; }  // drawn for the on-screen preview
    double DpiX() const { return dpiX_; }
    double DpiY() const { return dpiY_; }

    // Inches to device pixels.
    double X(double inches) const { return inches * dpiX_; }
    double Y(double inches) const { return inches * dpiY_; }
    QPointF Px(QPointF inches) const { return {X(inches.x()), Y(inches.y())}; }
    QRectF Px(const QRectF& inches) const;

    // Text with its top-left corner at `at`, not clipped or wrapped.
    void Text(QPointF at, const QString& text, const QFont& font, const QColor& color = Qt::black);
    // Text aligned in a box (Qt::Alignment flags), clipped to it.
    void TextIn(const QRectF& box, const QString& text, const QFont& font, int align,
                const QColor& color = Qt::black);
    void Line(QPointF from, QPointF to, double widthPoints = 0.5, const QColor& color = Qt::black);
    void Rect(const QRectF& box, const QColor& pen, const QColor& fill = QColor());
    // A thin box seen only on screen (label outlines, page guides).
    void Outline(const QRectF& box, const QColor& color = Qt::gray);
    // The picture stretched to fill the box.
    void Picture(const QImage& image, const QRectF& box);
    // Items drawn after ClipTo are cut to the shape until Unclip.
    void ClipTo(const QPainterPath& inches);
    void Unclip();

private:
    QPainter& painter_;
    const PageSetup& setup_;
    int page_;
    bool screen_;
    double dpiX_, dpiY_;
};

using PageItem = std::function<void(PageCanvas&)>;
// Draws into a band's rectangle (inches) on every page.
using BandDrawer = std::function<void(PageCanvas&, const QRectF& band)>;

// A table flowed onto the pages: columns share the width between the
// margins by their weights; a row that does not fit above the bottom of the
// content starts a new page, where the heading rows are drawn again.
struct TableFlow {
    std::vector<double> columnWeights;  // relative widths; scaled to the content width
    int rowCount = 0;
    std::function<double(int row)> rowHeight;  // inches
    int headingRows = 0;                       // rows 0.. repeated at the top of each further page
    double top = -1;  // inches from the page top on the first page; <0: content top
    // Draws one cell; the rectangle is in inches.
    std::function<void(PageCanvas&, int col, int row, const QRectF& cell)> drawCell;
};

class PageDocument {
public:
    explicit PageDocument(PageSetup setup = {});

    PageSetup& Setup() { return setup_; }
    const PageSetup& Setup() const { return setup_; }

    // Removes every page (the setup and band drawers stay).
    void Clear();
    int NewPage();  // the new page's index (0-based)
    int PageCount() const { return int(pages_.size()); }
    void Add(int page, PageItem item);  // to an existing page
    void AddToLast(PageItem item);      // to the last page, making one if there is none

    // Lays the table out from the last page on (making one if needed).
    // Returns where it ends: inches from the top of the last page.
    double AddTable(const TableFlow& table);

    void SetHeaderDrawer(BandDrawer drawer) { headerDrawer_ = std::move(drawer); }
    void SetFooterDrawer(BandDrawer drawer) { footerDrawer_ = std::move(drawer); }

    // Draws page `index` on a painter whose device is exactly the paper.
    void RenderPage(QPainter& painter, int index, bool screen) const;
    // Every page on a paged device (printer or PDF writer), set to the paper.
    void RenderAll(QPagedPaintDevice& device) const;

private:
    void DrawBand(PageCanvas& canvas, const Band& band, const QRectF& rect, bool header) const;

    PageSetup setup_;
    std::vector<std::vector<PageItem>> pages_;
    BandDrawer headerDrawer_;
    BandDrawer footerDrawer_;
};

// Sends the document to `printer` through the platform's print job; on
// failure `error` (when given) receives the system's reason.
bool PrintDocument(QPrinter& printer, const PageDocument& doc, const QString& jobName,
                   QString* error = nullptr);
// Writes the document as a PDF file; false when the file cannot be written.
bool SavePdf(const QString& path, const PageDocument& doc);

// A page drawn for the screen at `dpi`, on white.
QImage RenderPageImage(const PageDocument& doc, int index, double dpi);

}  // namespace ui
