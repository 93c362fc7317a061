#include "store/sales/invoicelayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brenvik;

namespace {

// One text per row: the six cells joined by "|", bold cells in *stars*,
// and "<H>" / "<F>" in front of a row tagged for the header or footer text;
// trailing empty cells are dropped.
std::vector<std::string> Rows(const InvoiceLayout& g) {
    std::vector<std::string> rows;
    for (const InvoiceRow& r : g) {
        std::string row;
        const auto tag0 = r.cells[0].tag;
        if (tag0 == InvoiceHeaderTag) row += "<H>";
        else if (tag0 == InvoiceFooterTag) row += "<F>";
        else EXPECT_TRUE(tag0 == InvoiceBoldTag || tag0 == InvoicePlainTag) << rows.size();
        int last = -1;
        for (int c = 0; c < InvoiceColumns; ++c)
            if (!r.cells[c].text.empty()) last = c;
        for (int c = 0; c <= last; ++c) {
            if (c) row += "|";
            const InvoiceCell& cell = r.cells[c];
            row += cell.tag == InvoiceBoldTag ? "*" + cell.text + "*" : cell.text;
        }
        rows.push_back(row);
    }
    return rows;
}

InvoiceInput FullSale() {
    InvoiceInput in;
    in.date = "2026/03/14";
    in.number = "1041";
    in.soldTo = {"Smith, Anna", "12 High St"};
    in.lines = {{"Red hat", "12345", "$19.99", "3", "15", "$50.97"},
                {"scarf", "Item #: 4", "10.00", "1", "0", "$10.00"}};
    in.preTax = "60.97";
    in.discountAmount = "10";
    in.discountType = "%";
    in.afterDiscount = "54.87";
    in.tax1On = true;
    in.tax2On = true;
    in.tax1Name = "VAT";
    in.tax2Name = "City";
    in.taxOne = "3.84";
    in.taxTwo = "0.55";
    in.total = "59.26";
    in.amountReceived = "60";
    in.change = "0.74";
    in.paymentMethod = "Visa";
    in.ccNumber = "4111111111111111";
    in.headerLines = 2;
    in.footerLines = 1;
    return in;
}

}  // namespace

TEST(InvoiceLayout, FullSaleRowByRow) {
    const InvoiceLayout g = GenerateInvoice(FullSale());
    const std::vector<std::string> want = {
        "",
        "INVOICE DATE:||*2026/03/14*|INVOICE NUMBER:||*1041*",
        "",
        "",
        "",
        "<H>",  // header text, two rows reserved
        "",
        "",
        "",
        "*SOLD TO:*|Smith, Anna",
        "|12 High St",
        "",
        "",
        "*ITEM *|*BARCODE*|*PRICE*|*QUANTITY*|*% DISCOUNT*|*TOTAL*",
        "RED HAT|12345|$19.99|3|15|$50.97",
        "SCARF|Item #: 4|10.00|1|0|$10.00",
        "",
        "",
        "*PRE-TAX TOTAL*||$60.97",
        "*DISCOUNT*||10%",
        "*AFTER DISCOUNT*||$54.87",
        "*VAT*||$3.84",
        "*City*||$0.55",
        "*TOTAL DUE*||$59.26",
        "*PAYMENT AMOUNT*||$60",
        "*CHANGE*||$0.74",
        "*PAYMENT METHOD*||Visa",
        "*Credit Card #*||4111111111******",
        "",
        "<F>",
        "",
        "",
        "",
    };
    EXPECT_EQ(Rows(g), want);
}

TEST(InvoiceLayout, OptionalRowsLeftOut) {
    InvoiceInput in = FullSale();
    in.soldTo.clear();
    in.discountAmount.clear();
    in.tax1On = false;
    in.tax2On = false;
    in.amountReceived.clear();
    in.change.clear();
    in.paymentMethod.clear();
    in.ccNumber.clear();
    in.headerLines = 0;
    in.footerLines = 0;
    in.lines.resize(1);
    const InvoiceLayout g = GenerateInvoice(in);
    const std::vector<std::string> want = {
        "",
        "INVOICE DATE:||*2026/03/14*|INVOICE NUMBER:||*1041*",
        "",
        "",  // no header: straight on to the blank rows before the sold-to block
        "",
        "",
        "",
        "*ITEM *|*BARCODE*|*PRICE*|*QUANTITY*|*% DISCOUNT*|*TOTAL*",
        "RED HAT|12345|$19.99|3|15|$50.97",
        "",
        "",
        "*PRE-TAX TOTAL*||$60.97",
        "*TOTAL DUE*||$59.26",
        "*PAYMENT AMOUNT*||$",
    };
    EXPECT_EQ(Rows(g), want);
}

TEST(InvoiceLayout, DollarDiscountNoLinesOneAddressLine) {
    InvoiceInput in = FullSale();
    in.discountType = "$";
    in.discountAmount = "5";
    in.lines.clear();
    in.soldTo = {"One line"};
    const auto rows = Rows(GenerateInvoice(in));
    EXPECT_EQ(rows[9], "*SOLD TO:*|One line");
    EXPECT_EQ(rows[12], "*ITEM *|*BARCODE*|*PRICE*|*QUANTITY*|*% DISCOUNT*|*TOTAL*");
    EXPECT_EQ(rows[16], "*DISCOUNT*||$5");
}

TEST(InvoiceLayout, RefundRowByRow) {
    InvoiceInput in = FullSale();
    in.number = "1030";
    in.soldTo = {"Smith, Anna"};
    in.lines.resize(1);
    in.discountType = "%";
    in.paymentMethod.clear();  // the refund type row stands even when empty
    in.headerLines = 0;
    in.footerLines = 2;
    in.tax2On = false;
    InvoiceLayout g = GenerateRefund(in);
    const std::vector<std::string> want = {
        "",
        "REFUND DATE:||*2026/03/14*|ORIGINAL INVOICE NUMBER:||*1030*",
        "",
        "",
        "",
        "*Refund TO:*|Smith, Anna",
        "",
        "",
        "*ITEM *|*BARCODE*|*PRICE*|*QUANTITY*|*% DISCOUNT*|*TOTAL*",
        "Red hat|12345|$19.99|3|15|$50.97",
        "",
        "",
        "*PRE-TAX TOTAL*||$60.97",
        "*ADJUSTMENT*||-10%",
        "*AFTER ADJUSTMENT*||$54.87",
        "*VAT*||$3.84",
        "*TOTAL REFUND*||$59.26",
        "*REFUND TYPE*",
        "*Credit Card #*||4111111111******",
        "",
        "<F>",
        "",
        "",
        "",
        "",
    };
    EXPECT_EQ(Rows(g), want);

    in.discountType = "$";
    g = GenerateRefund(in);
    EXPECT_EQ(Rows(g)[13], "*ADJUSTMENT*||$-10");
}

TEST(InvoiceLayout, CardMasking) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"1234", "****"},
        {"123456", "******"},
        {"1234567", "1******"},
        {"4111111111111111", "4111111111******"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcessCreditCard(c.in), c.out) << c.in;
}

TEST(InvoiceLayout, LogoKeepsItsProportions) {
    // In a box 8 inches wide and 2 high.
    const struct {
        double w, h, drawnW, drawnH;
    } cases[] = {
        {300, 100, 6, 2}, {800, 100, 8, 1}, {100, 200, 1, 2}, {100, 100, 2, 2}, {10, 1000, 0.02, 2},
    };
    for (const auto& c : cases) {
        const LogoSize s = FitLogo(8, 2, c.w, c.h);
        EXPECT_NEAR(s.width, c.drawnW, 1e-9) << c.w << "x" << c.h;
        EXPECT_NEAR(s.height, c.drawnH, 1e-9) << c.w << "x" << c.h;
    }
    // A tall box: a wide picture fills its width.
    const LogoSize tall = FitLogo(1, 5, 100, 200);
    EXPECT_NEAR(tall.width, 1, 1e-9);
    EXPECT_NEAR(tall.height, 2, 1e-9);
    EXPECT_EQ(FitLogo(8, 2, 0, 100).width, 0);
    EXPECT_EQ(FitLogo(8, 2, 100, 0).height, 0);
}

TEST(InvoiceLayout, MemoLines) {
    EXPECT_EQ(MemoLines(""), std::vector<std::string>{});
    EXPECT_EQ(MemoLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(MemoLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
}
