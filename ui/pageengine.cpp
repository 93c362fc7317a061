#include "ui/pageengine.h"

#include "ui/platform.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <numeric>

namespace ui {

QSizeF PageSetup::PageSize() const {
    const QSizeF s = paper.size(QPageSize::Inch);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QRectF PageSetup::HeaderRect() const {
    const QSizeF s = PageSize();
    return QRectF(left, top, s.width() - left - right, header.height);
}

QRectF PageSetup::FooterRect() const {
    const QSizeF s = PageSize();
    return QRectF(left, s.height() - bottom - footer.height, s.width() - left - right,
                  footer.height);
}

QRectF PageSetup::ContentRect() const {
    const QSizeF s = PageSize();
    const double t = top + (header.visible ? header.height : 0);
    const double b = s.height() - bottom - (footer.visible ? footer.height : 0);
    return QRectF(left, t, s.width() - left - right, std::max(0.0, b - t));
}

QPageLayout PageSetup::Layout() const {
    return QPageLayout(paper, orientation, QMarginsF(0, 0, 0, 0));
}

// ---------------------------------------------------------------- canvas

PageCanvas::PageCanvas(QPainter& painter, const PageSetup& setup, int page, bool screen)
    : painter_(painter), setup_(setup), page_(page), screen_(screen) {
    QPaintDevice* d = painter.device();
    dpiX_ = d ? d->logicalDpiX() : 96;
    dpiY_ = d ? d->logicalDpiY() : 96;
}

QRectF PageCanvas::Px(const QRectF& r) const {
    return QRectF(Px(r.topLeft()), Px(r.bottomRight()));
}

void PageCanvas::Text(QPointF at, const QString& text, const QFont& font, const QColor& color) {
    painter_.setFont(font);
    painter_.setPen(color);
    const QFontMetricsF fm(font, painter_.device());
    painter_.drawText(QPointF(X(at.x()), Y(at.y()) + fm.ascent()), text);
}

void PageCanvas::TextIn(const QRectF& box, const QString& text, const QFont& font, int align,
                        const QColor& color) {
    painter_.setFont(font);
    painter_.setPen(color);
    painter_.drawText(Px(box), align | Qt::TextSingleLine, text);
}

void PageCanvas::Line(QPointF from, QPointF to, double widthPoints, const QColor& color) {
    QPen pen(color);
    pen.setWidthF(std::max(1.0, widthPoints / 72.0 * dpiX_));
    painter_.setPen(pen);
    painter_.drawLine(Px(from), Px(to));
}

void PageCanvas::Rect(const QRectF& box, const QColor& pen, const QColor& fill) {
    painter_.setPen(pen.isValid() ? QPen(pen) : QPen(Qt::NoPen));
    painter_.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    painter_.drawRect(Px(box));
    painter_.setBrush(Qt::NoBrush);
}

void PageCanvas::Outline(const QRectF& box, const QColor& color) {
    if (!screen_) return;
    QPen pen(color);
    pen.setStyle(Qt::DotLine);
    pen.setWidth(0);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(Px(box));
}

void PageCanvas::Picture(const QImage& image, const QRectF& box) {
    if (image.isNull() || box.width() <= 0 || box.height() <= 0) return;
    painter_.drawImage(Px(box), image);
}

void PageCanvas::ClipTo(const QPainterPath& inches) {
    QTransform t;
    t.scale(dpiX_, dpiY_);
    painter_.setClipPath(t.map(inches));
}

void PageCanvas::Unclip() { painter_.setClipping(false); }

// ---------------------------------------------------------------- document

PageDocument::PageDocument(PageSetup setup) : setup_(std::move(setup)) {}

void PageDocument::Clear() { pages_.clear(); }

int PageDocument::NewPage() {
    pages_.emplace_back();
    return int(pages_.size()) - 1;
}

void PageDocument::Add(int page, PageItem item) {
    if (page >= 0 && page < PageCount()) pages_[std::size_t(page)].push_back(std::move(item));
}

void PageDocument::AddToLast(PageItem item) {
    if (pages_.empty()) NewPage();
    pages_.back().push_back(std::move(item));
}

double PageDocument::AddTable(const TableFlow& source) {
    if (pages_.empty()) NewPage();
    auto table = std::make_shared<TableFlow>(source);
    const QRectF content = setup_.ContentRect();
    double total = std::accumulate(table->columnWeights.begin(), table->columnWeights.end(), 0.0);
    if (total <= 0) total = 1;
    std::vector<double> lefts, widths;
    double x = content.left();
    for (double w : table->columnWeights) {
        lefts.push_back(x);
        widths.push_back(content.width() * w / total);
        x += widths.back();
    }
    const double bottom = content.bottom();
    auto rowItem = [table, lefts, widths](int row, double y) {
        return [table, lefts, widths, row, y](PageCanvas& c) {
            if (!table->drawCell) return;
            const double h = table->rowHeight ? table->rowHeight(row) : 0;
            for (std::size_t col = 0; col < widths.size(); ++col)
                table->drawCell(c, int(col), row, QRectF(lefts[col], y, widths[col], h));
        };
    };
    double y = table->top >= 0 ? table->top : content.top();
    bool pageHasRows = false;
    for (int row = 0; row < table->rowCount; ++row) {
        const double h = table->rowHeight ? std::max(0.0, table->rowHeight(row)) : 0;
        if (pageHasRows && y + h > bottom + 1e-9 && row >= table->headingRows) {
            NewPage();
            y = content.top();
            for (int head = 0; head < table->headingRows; ++head) {
                pages_.back().push_back(rowItem(head, y));
                y += table->rowHeight ? table->rowHeight(head) : 0;
            }
        }
        pages_.back().push_back(rowItem(row, y));
        y += h;
        pageHasRows = true;
    }
    return y;
}

void PageDocument::DrawBand(PageCanvas& c, const Band& band, const QRectF& rect,
                            bool header) const {
    if (!band.visible) return;
    const QString page = QString::number(c.Page());
    const BandCaption* captions[] = {&band.left, &band.center, &band.right};
    const int aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 0; i < 3; ++i) {
        if (captions[i]->text.isEmpty()) continue;
        QString text = captions[i]->text;
        text.replace(PageToken, page);
        c.TextIn(rect, text, captions[i]->font, aligns[i] | Qt::AlignVCenter, captions[i]->color);
    }
    if (band.rule) {
        const double y = header ? rect.bottom() : rect.top();
        c.Line(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
    const BandDrawer& drawer = header ? headerDrawer_ : footerDrawer_;
    if (drawer) drawer(c, rect);
}

void PageDocument::RenderPage(QPainter& painter, int index, bool screen) const {
    if (index < 0 || index >= PageCount()) return;
    PageCanvas canvas(painter, setup_, index + 1, screen);
    painter.save();
    DrawBand(canvas, setup_.header, setup_.HeaderRect(), true);
    painter.restore();
    painter.save();
    DrawBand(canvas, setup_.footer, setup_.FooterRect(), false);
    painter.restore();
    for (const PageItem& item : pages_[std::size_t(index)]) {
        painter.save();
        item(canvas);
        painter.restore();
    }
}

void PageDocument::RenderAll(QPagedPaintDevice& device) const {
    device.setPageLayout(setup_.Layout());
    QPainter painter(&device);
    if (!painter.isActive()) return;
    for (int i = 0; i < PageCount(); ++i) {
        if (i > 0) device.newPage();
        RenderPage(painter, i, false);
    }
    painter.end();
}

bool PrintDocument(QPrinter& printer, const PageDocument& doc, const QString& jobName,
                   QString* error) {
    printer.setFullPage(true);
    printer.setPageLayout(doc.Setup().Layout());
    return platform().RunPrintJob(
        printer, jobName, [&doc](QPagedPaintDevice& device) { doc.RenderAll(device); }, error);
}

bool SavePdf(const QString& path, const PageDocument& doc) {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    doc.RenderAll(writer);
    return QFile::exists(path);
}

QImage RenderPageImage(const PageDocument& doc, int index, double dpi) {
    const QSizeF inches = doc.Setup().PageSize();
    QImage image(qMax(1, qRound(inches.width() * dpi)), qMax(1, qRound(inches.height() * dpi)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    doc.RenderPage(painter, index, true);
    return image;
}

}  // namespace ui
