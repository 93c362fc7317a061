// Finding a line's inventory row and the batch scanning step.
#include "sales_fixture.h"
#include "store/core/error.h"
#include "store/sales/scan.h"

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

class ScanTest : public ::testing::Test, public salestest::StoreFixture {
protected:
    std::vector<SaleLine> lines;
};

TEST_F(ScanTest, NewCodeAppendsAPricedLineAndTheSameCodeCountsUp) {
    AddItem("Mouse", "1001", "12.5", "4");
    auto r = ApplyScan(lines, store.Data, "1001");
    EXPECT_EQ(r.outcome, ScanOutcome::Appended);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].item, "Mouse");
    EXPECT_EQ(lines[0].barcode, "1001");
    EXPECT_EQ(lines[0].price, "$12.50");
    EXPECT_EQ(lines[0].quantity, "1");
    EXPECT_EQ(lines[0].discount, "0");
    EXPECT_EQ(lines[0].total, "$12.50");

    r = ApplyScan(lines, store.Data, "1001");
    EXPECT_EQ(r.outcome, ScanOutcome::CountedUp);
    EXPECT_EQ(r.line, 0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].quantity, "2");
    EXPECT_EQ(lines[0].total, "$25.00");
}

TEST_F(ScanTest, CodeFoundOnlyAfterReductionIsNotCountedUp) {
    AddItem("Cable", "12x34", "$3", "10");
    ApplyScan(lines, store.Data, "1234");
    const auto r = ApplyScan(lines, store.Data, "1234");
    // Both sides reduce to 1234, but the line holds 12x34, not the scanned text.
    EXPECT_EQ(r.outcome, ScanOutcome::Appended);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].barcode, "12x34");
    EXPECT_EQ(lines[1].price, "$3.00");
}

TEST_F(ScanTest, PunctuatedCodeScannedAsStoredCountsUp) {
    AddItem("Lamp", "123-456", "9.99", "1");
    ApplyScan(lines, store.Data, "123-456");
    EXPECT_EQ(ApplyScan(lines, store.Data, "123-456").outcome, ScanOutcome::CountedUp);
    EXPECT_EQ(lines[0].quantity, "2");
}

TEST_F(ScanTest, UnknownCodeChangesNothing) {
    AddItem("Mouse", "1001", "12.5", "4");
    ApplyScan(lines, store.Data, "1001");
    const auto before = lines;
    EXPECT_EQ(ApplyScan(lines, store.Data, "999").outcome, ScanOutcome::NotFound);
    EXPECT_EQ(lines.size(), before.size());
    EXPECT_EQ(lines[0].quantity, "1");
}

TEST_F(ScanTest, FractionalQuantityRaisesTheIntegerErrorAndKeepsTheLines) {
    AddItem("Rope", "555", "2", "30");
    ApplyScan(lines, store.Data, "555");
    lines[0].quantity = "1.5";
    try {
        ApplyScan(lines, store.Data, "555");
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "'1.5' is not a valid integer value");
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].quantity, "1.5");
}

TEST_F(ScanTest, LaterRowWinsForTheSameReducedCode) {
    AddItem("Old", "77-1", "1", "1");
    AddItem("New", "771", "2", "1");
    ApplyScan(lines, store.Data, "771");
    EXPECT_EQ(lines[0].item, "New");
}

TEST_F(ScanTest, LineRowsByCodeAndByItemNumber) {
    const int a = AddItem("A", "12x34", "1", "1");
    const int b = AddItem("B", "555", "1", "1");
    AddItem("C", "", "1", "1");
    EXPECT_EQ(FindItem(store.Data, "1234"), a);
    // Only the inventory side is reduced.
    EXPECT_EQ(FindItem(store.Data, "12x34"), -1);
    EXPECT_EQ(LineInventoryRow(store.Data, "555"), b);
    // "Item #: " names the row whatever its bar code holds.
    EXPECT_EQ(LineInventoryRow(store.Data, "Item #: 1"), a);
    EXPECT_EQ(LineInventoryRow(store.Data, "Item #: 3"), 3);
    EXPECT_EQ(LineInventoryRow(store.Data, "Item #: 4"), -1);  // no such row
    EXPECT_EQ(LineInventoryRow(store.Data, "Item #: 0"), -1);
    EXPECT_EQ(LineInventoryRow(store.Data, "Item #: x-2-"), -1);  // not a whole number
    EXPECT_EQ(LineInventoryRow(store.Data, "hand typed"), -1);
}

}  // namespace
