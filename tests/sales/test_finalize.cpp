// Finalizing a sale and processing a refund: stock, item histories, the
// invoice record and the invoice numbers, and the refusals that change nothing.
#include "sales_fixture.h"
#include "store/sales/finalize.h"
#include "store/sales/invoices.h"

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

const Date kToday{2024, 3, 9};

class FinalizeTest : public ::testing::Test, public salestest::StoreFixture {
protected:
    int mouse = 0, cable = 0, lamp = 0;

    void SetUp() override {
        mouse = AddItem("Mouse", "1001", "12.50", "10");
        cable = AddItem("Cable", "12x34", "3", "8");
        lamp = AddItem("Lamp", "", "20", "5");
        store.Values.nextInvoice = "1041";
    }

    static SaleLine Line(std::string barcode, std::string price, std::string quantity) {
        SaleLine l{"name", std::move(barcode), std::move(price), std::move(quantity), "0", ""};
        TotalLine(l);
        return l;
    }

    SaleForm Sale() const {
        SaleForm s;
        s.lines = {Line("1001", "$12.50", "2"), Line("1001", "$12.50", "1"),
                   Line("Item #: 3", "$20.00", "1"), Line("Gift wrap", "$2", "1"),
                   Line("12x34", "$3", "1")};
        s.customer = {"Smith, Anna", "12 High St", "Springfield, IL"};
        s.preTax = "62.50";
        s.discountAmount = "";
        s.discountType = "%";
        s.taxOne = "4.38";
        s.taxTwo = "0";
        s.total = "66.88";
        s.paymentMethod = "Visa";
        s.amountReceived = "70";
        return s;
    }

    std::vector<std::string> RowCells(int row) const {
        std::vector<std::string> cells;
        for (int c = 0; c < store.InvoiceGrid.ColCount(); ++c)
            cells.push_back(store.InvoiceGrid.CellText(c, row));
        return cells;
    }
};

TEST_F(FinalizeTest, SaleChangesStockHistoriesRecordAndNumber) {
    const auto result = FinalizeSale(store, Sale(), kToday);
    ASSERT_TRUE(result.done) << result.message;
    EXPECT_EQ(result.invoiceNumber, "1041");
    EXPECT_EQ(result.row, 1);  // the blank row of a new table

    // Two lines with one bar code: two decreases and two entries.
    EXPECT_EQ(Get(mouse, "Quantity"), "7");
    ASSERT_EQ(store.History(mouse).size(), 12u);
    EXPECT_EQ(store.History(mouse),
              (HistoryList{"2024/03/09", "Invoice Sale", "1041", "2", "$25.00", "", "2024/03/09",
                           "Invoice Sale", "1041", "1", "$12.50", ""}));
    // "Item #: 3" changes row 3 though it has no bar code.
    EXPECT_EQ(Get(lamp, "Quantity"), "4");
    EXPECT_EQ(store.History(lamp).size(), 6u);
    // A code with letters is not found (only the inventory side is reduced).
    EXPECT_EQ(Get(cable, "Quantity"), "8");
    EXPECT_TRUE(store.History(cable).empty());

    EXPECT_EQ(RowCells(1),
              (std::vector<std::string>{
                  "2024/03/09", "1041", "Smith, Anna, 12 High St, Springfield, IL", "62.50", "%",
                  "4.38", "0", "66.88", "Visa", "70", "1001, 1001, Item #: 3, Gift wrap, 12x34"}));
    EXPECT_EQ(store.Values.nextInvoice, "1042");
}

TEST_F(FinalizeTest, EmptySaleStillRecordsAndUsesANumber) {
    SaleForm s;
    s.discountType = "$";
    const auto result = FinalizeSale(store, s, kToday);
    ASSERT_TRUE(result.done);
    EXPECT_EQ(store.InvoiceGrid.CellText(InvoiceField(store.InvoiceGrid, "Discount"), 1), "$");
    EXPECT_EQ(store.InvoiceGrid.CellText(InvoiceField(store.InvoiceGrid, "Items"), 1), "");
    EXPECT_EQ(store.Values.nextInvoice, "1042");
}

TEST_F(FinalizeTest, LowestBlankRowIsReusedBeforeAppending) {
    store.InvoiceGrid.SetRowCount(5);
    store.InvoiceGrid.SetCell(0, 1, "2024/01/01");
    store.InvoiceGrid.SetCell(0, 3, "2024/01/02");
    store.InvoiceGrid.SetCell(0, 4, "2024/01/03");
    EXPECT_EQ(FinalizeSale(store, Sale(), kToday).row, 2);
    EXPECT_EQ(FinalizeSale(store, Sale(), kToday).row, 5);  // appended
    EXPECT_EQ(store.InvoiceGrid.RowCount(), 6);
    EXPECT_EQ(store.InvoiceGrid.CellText(1, 5), "1042");
}

// A refusal must leave every part of the store exactly as it was.
struct Snapshot {
    std::string data, invoices, next;
    std::vector<HistoryList> histories;
    explicit Snapshot(const Store& s)
        : data(s.Data.TableFileBytes()),
          invoices(s.InvoiceGrid.TableFileBytes()),
          next(s.Values.nextInvoice),
          histories(s.Histories) {}
    bool operator==(const Snapshot&) const = default;
};

TEST_F(FinalizeTest, MalformedNextNumberIsRefusedBeforeAnythingChanges) {
    for (const char* bad : {"abc", "12.5", "", "2147483647"}) {
        store.Values.nextInvoice = bad;
        const Snapshot before(store);
        const auto result = FinalizeSale(store, Sale(), kToday);
        EXPECT_FALSE(result.done) << bad;
        EXPECT_NE(result.message.find("not a whole number"), std::string::npos);
        EXPECT_TRUE(Snapshot(store) == before) << bad;
    }
}

TEST_F(FinalizeTest, FullTableIsRefusedInsteadOfOverwritingTheNewestRecord) {
    store.InvoiceGrid.SetRowCount(MaxInvoiceRows);
    for (int r = 1; r < MaxInvoiceRows; ++r) store.InvoiceGrid.SetCell(1, r, std::to_string(r));
    const Snapshot before(store);
    auto result = FinalizeSale(store, Sale(), kToday);
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.message, InvoiceTableFullMessage());
    EXPECT_TRUE(Snapshot(store) == before);
    SaleForm refund = Sale();
    EXPECT_FALSE(ProcessRefund(store, refund, "9", kToday).done);
    EXPECT_TRUE(Snapshot(store) == before);

    // One blank row among them is enough.
    store.InvoiceGrid.SetCell(1, 500, "");
    result = FinalizeSale(store, Sale(), kToday);
    EXPECT_TRUE(result.done);
    EXPECT_EQ(result.row, 500);
}

TEST_F(FinalizeTest, RefundRaisesStockAndRecordsNegativeTotals) {
    Set(mouse, "Quantity", "5");
    SaleForm r;
    r.lines = {Line("1001", "$6.25", "2"), Line("unknown", "$1", "1")};
    r.customer = {"Jones"};
    r.preTax = "12.50";
    r.discountAmount = "";
    r.discountType = "%";
    r.taxOne = "0";
    r.taxTwo = "0";
    r.total = "12.50";
    r.paymentMethod = "Cash";
    const auto result = ProcessRefund(store, r, "1040", kToday);
    ASSERT_TRUE(result.done);
    EXPECT_EQ(Get(mouse, "Quantity"), "7");
    EXPECT_EQ(store.History(mouse),
              (HistoryList{"2024/03/09", "Product Return", "", "2", "$12.50", ""}));
    EXPECT_EQ(RowCells(result.row),
              (std::vector<std::string>{"2024/03/09", "R1040", "Jones", "12.50", "%", "0", "0",
                                        "-12.50", "Cash", "-12.50", "1001, unknown"}));
    // A refund uses no invoice number.
    EXPECT_EQ(store.Values.nextInvoice, "1041");
}

TEST_F(FinalizeTest, RefundOfANegativeQuantityLowersTheStock) {
    SaleForm r;
    r.lines = {Line("1001", "$12.50", "-1")};
    ASSERT_TRUE(ProcessRefund(store, r, "", kToday).done);
    EXPECT_EQ(Get(mouse, "Quantity"), "9");
    EXPECT_EQ(store.InvoiceGrid.CellText(1, 1), "R");
    EXPECT_EQ(NegatedQuantity("2"), "-2");
    EXPECT_EQ(NegatedQuantity("-1"), "1");
    EXPECT_EQ(NegatedQuantity("$1.5"), "-1.5");
}

TEST_F(FinalizeTest, RefundWithANegativeTotalIsStoredWithOneSign) {
    for (const auto& [total, stored] : std::vector<std::pair<std::string, std::string>>{
             {"-5.00", "5.00"}, {"5.00", "-5.00"}, {"0.00", "-0.00"}}) {
        SaleForm r;
        r.lines = {Line("1001", "$5.00", "-1")};
        r.total = total;
        const auto result = ProcessRefund(store, r, "7", kToday);
        ASSERT_TRUE(result.done);
        EXPECT_EQ(store.InvoiceGrid.CellText(InvoiceField(store.InvoiceGrid, "Total"), result.row),
                  stored)
            << total;
        EXPECT_EQ(store.InvoiceGrid.CellText(InvoiceField(store.InvoiceGrid, "Amount Received"),
                                             result.row),
                  stored)
            << total;
    }
}

}  // namespace
