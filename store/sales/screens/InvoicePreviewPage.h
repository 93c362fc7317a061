#pragma once
// The "Preview Last" page of the point of sale: the last invoice or refund
// laid out on its pages, the printer and paper lists, "Printer Setup" and
// "Print". The point of sale fills an InvoiceInput from its page and calls
// CreateInvoice or GenerateRefund, then PrintCopies.
#include "store/core/settings.h"
#include "store/sales/invoicelayout.h"
#include "ui/pageengine.h"

#include <QPrinter>
#include <QWidget>

#include <memory>

class QPushButton;

namespace ui {
class PaperComboBox;
class PreviewWidget;
class PrinterComboBox;
}  // namespace ui

namespace brenvik {

// Lays the invoice table out on `doc` as the printed invoice: 1 inch top
// margin, a 2-inch header band with a rule and the logo, the table from
// 3 inches down across the width between the margins, continued on further
// pages as needed.
void ComposeInvoice(ui::PageDocument& doc, const brenvik::InvoiceLayout& layout,
                    const brenvik::Settings& settings);

// The cell drawer and the header drawer of the invoice pages.
struct InvoiceArt;  // the fonts, texts and logo one composition uses
void PrintInvoiceDrawCell(ui::PageCanvas& canvas, const InvoiceArt& art,
                          const brenvik::InvoiceCell& cell, const QRectF& rect);
void PreviewInvoiceDrawHeader(ui::PageCanvas& canvas, const InvoiceArt& art, const QRectF& band);

// The logo box and the logo's rectangle in it, in inches from the page's
// top-left corner, for a picture of `picture` pixels.
QRectF InvoiceLogoBox(const QRectF& headerBand);
QRectF InvoiceLogoRect(const QRectF& headerBand, QSize picture);

class InvoicePreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit InvoicePreviewPage(QWidget* parent = nullptr);
    ~InvoicePreviewPage() override;

    // The layout of a sale and of a refund, with the settings' font, texts
    // and logo; the preview shows its first page.
    void CreateInvoice(const brenvik::InvoiceInput& sale, const brenvik::Settings& settings);
    void GenerateRefund(const brenvik::InvoiceInput& refund, const brenvik::Settings& settings);
    // The layout's row count (for the caller's checks), and the pages.
    const brenvik::InvoiceLayout& Layout() const { return layout_; }
    ui::PreviewWidget& Preview() { return *preview_; }
    QPrinter& Printer() { return printer_; }

    // Prints the pages once on the chosen printer, without a message; on
    // failure returns false with the reason in `error`.
    bool Print(QString* error = nullptr);
    // Prints `copies` times (0 prints nothing). A failure stops the copies
    // and is shown with the printer's name, the system's reason and what to
    // do; returns false then.
    bool PrintCopies(int copies);

    // Prints, then "Invoice sent to the printer." only when it was.
    void PrintBtnClick();
    void BitBtn1Click();  // the system's printer setup

private:
    void Show(const brenvik::Settings& settings);

    brenvik::InvoiceLayout layout_;
    QPrinter printer_{QPrinter::HighResolution};
    ui::PreviewWidget* preview_ = nullptr;
    ui::PrinterComboBox* printers_ = nullptr;
    ui::PaperComboBox* papers_ = nullptr;
};

}  // namespace brenvik
