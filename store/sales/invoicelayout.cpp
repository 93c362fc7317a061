#include "store/sales/invoicelayout.h"

namespace brenvik {
namespace {

// Capitals of the Western code page: ASCII letters and the accented lower
// case letters of 0xE0..0xFE (0xF7 is the division sign).
std::string Capitals(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            c = static_cast<char>(b - 0x20);
    }
    return out;
}

// Appends rows one at a time; writes go into the last appended row.
class LayoutWriter {
public:
    explicit LayoutWriter(InvoiceLayout& rows) : rows_(rows) { rows_.assign(1, InvoiceRow{}); }

    void Skip(int n) { rows_.resize(rows_.size() + std::size_t(n)); }
    void Plain(int col, std::string_view text) { rows_.back().cells[std::size_t(col)].text = text; }
    void Bold(int col, std::string_view text) {
        Plain(col, text);
        rows_.back().cells[std::size_t(col)].tag = InvoiceBoldTag;
    }
    void Tag(std::int64_t tag) { rows_.back().cells[0].tag = tag; }

    // A bold label in column 0 and its amount in column 2, one row down.
    void Line(std::string_view label, std::string_view value) {
        Skip(1);
        Bold(0, label);
        Plain(2, value);
    }

    // Room for the store's header or footer text: one row per line.
    void TextBlock(std::int64_t tag, int lines) {
        if (lines <= 0) return;
        Skip(2);
        Tag(tag);
        Skip(lines);
    }

private:
    InvoiceLayout& rows_;
};

std::string Dollars(std::string_view amount) { return "$" + std::string(amount); }

enum class Kind { Invoice, Refund };

InvoiceLayout Generate(const InvoiceInput& in, Kind kind) {
    const bool sale = kind == Kind::Invoice;
    InvoiceLayout rows;
    LayoutWriter w(rows);
    w.Skip(1);

    w.Plain(0, sale ? "INVOICE DATE:" : "REFUND DATE:");
    w.Bold(2, in.date);
    w.Plain(3, sale ? "INVOICE NUMBER:" : "ORIGINAL INVOICE NUMBER:");
    w.Bold(5, in.number);
    w.Skip(2);

    w.TextBlock(InvoiceHeaderTag, in.headerLines);

    w.Skip(2);
    if (!in.soldTo.empty()) {
        w.Bold(0, sale ? "SOLD TO:" : "Refund TO:");
        for (const std::string& line : in.soldTo) {
            w.Plain(1, line);
            w.Skip(1);
        }
    }

    w.Skip(2);
    static const char* const headings[InvoiceColumns] = {"ITEM ",    "BARCODE",    "PRICE",
                                                         "QUANTITY", "% DISCOUNT", "TOTAL"};
    for (int c = 0; c < InvoiceColumns; ++c) w.Bold(c, headings[c]);

    for (const SaleLine& line : in.lines) {
        w.Skip(1);
        w.Plain(0, sale ? Capitals(line.item) : line.item);
        w.Plain(1, line.barcode);
        w.Plain(2, line.price);
        w.Plain(3, line.quantity);
        w.Plain(4, line.discount);
        w.Plain(5, line.total);
    }

    w.Skip(3);
    w.Bold(0, "PRE-TAX TOTAL");
    w.Plain(2, Dollars(in.preTax));

    if (!in.discountAmount.empty()) {
        const bool percent = in.discountType == "%";
        if (sale) {
            w.Line("DISCOUNT", percent ? in.discountAmount + "%" : Dollars(in.discountAmount));
            w.Line("AFTER DISCOUNT", Dollars(in.afterDiscount));
        } else {
            w.Line("ADJUSTMENT",
                   percent ? "-" + in.discountAmount + "%" : "$-" + in.discountAmount);
            w.Line("AFTER ADJUSTMENT", Dollars(in.afterDiscount));
        }
    }

    if (in.tax1On) w.Line(in.tax1Name, Dollars(in.taxOne));
    if (in.tax2On) w.Line(in.tax2Name, Dollars(in.taxTwo));

    if (sale) {
        w.Line("TOTAL DUE", Dollars(in.total));
        w.Line("PAYMENT AMOUNT", Dollars(in.amountReceived));
        if (!in.change.empty()) w.Line("CHANGE", Dollars(in.change));
        if (!in.paymentMethod.empty()) w.Line("PAYMENT METHOD", in.paymentMethod);
    } else {
        w.Line("TOTAL REFUND", Dollars(in.total));
        w.Line("REFUND TYPE", in.paymentMethod);
    }

    if (!in.ccNumber.empty()) w.Line("Credit Card #", ProcessCreditCard(in.ccNumber));

    if (in.footerLines > 0) {
        w.TextBlock(InvoiceFooterTag, in.footerLines);
        w.Skip(2);
    }
    return rows;
}

}  // namespace

InvoiceLayout GenerateInvoice(const InvoiceInput& in) { return Generate(in, Kind::Invoice); }
InvoiceLayout GenerateRefund(const InvoiceInput& in) { return Generate(in, Kind::Refund); }

std::string ProcessCreditCard(std::string_view number) {
    std::string out(number);
    const std::size_t keep = out.size() > 6 ? out.size() - 6 : 0;
    for (std::size_t i = keep; i < out.size(); ++i) out[i] = '*';
    return out;
}

LogoSize FitLogo(double boxWidth, double boxHeight, double picWidth, double picHeight) {
    if (!(picWidth > 0) || !(picHeight > 0) || !(boxWidth > 0) || !(boxHeight > 0)) return {};
    const double r = picHeight / picWidth;
    LogoSize s;
    if (r >= 1) {
        s.height = boxHeight;
        s.width = boxHeight / r;
        if (s.width > boxWidth) {
            s.width = boxWidth;
            s.height = r * boxWidth;
        }
    } else {
        s.width = boxWidth;
        s.height = r * boxWidth;
        if (s.height > boxHeight) {
            s.height = boxHeight;
            s.width = boxHeight / r;
        }
    }
    return s;
}

}  // namespace brenvik
