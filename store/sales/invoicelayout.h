#pragma once
// The printed invoice and refund as a table of texts: six equal columns, one
// row per printed line, a tag per cell saying how it is drawn. The point of
// sale fills an InvoiceInput from its page; drawing belongs to the screens.
#include "store/core/lines.h"
#include "store/sales/totals.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// Cell tags of the layout table.
enum InvoiceTag : std::int64_t {
    InvoicePlainTag = -1,  // every row starts with it in column 0
    InvoiceHeaderTag = 1,  // column 0: the store's header text starts here
    InvoiceFooterTag = 2,  // column 0: the store's footer text starts here
    InvoiceBoldTag = 100,
};

inline constexpr int InvoiceColumns = 6;

struct InvoiceCell {
    std::string text;
    std::int64_t tag = 0;
};
// One printed line; column 0 starts with the plain tag.
struct InvoiceRow {
    std::array<InvoiceCell, InvoiceColumns> cells{InvoiceCell{{}, InvoicePlainTag}};
};
// The layout table, row 0 first.
using InvoiceLayout = std::vector<InvoiceRow>;

// What one invoice or refund shows, as the page's boxes hold it. For a
// refund, `discount*`/`afterDiscount` are the adjustment, `number` is the
// original invoice, `soldTo` the refund-to lines and `paymentMethod` the
// refund type; `amountReceived` and `change` are not used.
struct InvoiceInput {
    std::string date;  // YYYY/MM/DD
    std::string number;
    std::vector<std::string> soldTo;
    std::vector<SaleLine> lines;
    std::string preTax;
    std::string discountAmount;
    std::string discountType;
    std::string afterDiscount;
    bool tax1On = false;
    bool tax2On = false;
    std::string tax1Name;
    std::string tax2Name;
    std::string taxOne;
    std::string taxTwo;
    std::string total;
    std::string amountReceived;
    std::string change;
    std::string paymentMethod;
    std::string ccNumber;
    int headerLines = 0;  // lines of the store's header text (0: none)
    int footerLines = 0;
};

// The layout of a sale and of a refund, with exactly the rows it needs.
InvoiceLayout GenerateInvoice(const InvoiceInput& in);
InvoiceLayout GenerateRefund(const InvoiceInput& in);

// A card number with its last six characters replaced by "*" (all of them
// when it has six or fewer).
std::string ProcessCreditCard(std::string_view number);

// The size a picture of `picWidth` x `picHeight` is drawn at in a box of
// `boxWidth` x `boxHeight`, keeping its proportions and filling the box in
// one direction. Zero when the picture has no area.
struct LogoSize {
    double width = 0;
    double height = 0;
};
LogoSize FitLogo(double boxWidth, double boxHeight, double picWidth, double picHeight);

}  // namespace brenvik
