// Line and sale totals: the worked examples and the texts that catch
// rounding, reading and sign faults.
#include "store/sales/totals.h"

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

struct LineCase {
    const char* price;
    const char* quantity;
    const char* discount;
    const char* total;
};

class LineTotalTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineTotalTest, RoundsAtEveryStep) {
    const auto& c = GetParam();
    EXPECT_EQ(LineTotal(c.price, c.quantity, c.discount), c.total);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineTotalTest,
    ::testing::Values(
        LineCase{"$19.99", "3", "15", "$50.97"},  // r 0.1500, u 3.00, n 16.99
        LineCase{"10.00", "1", "0", "$10.00"}, LineCase{"", "3", "0", "$0.00"},  // empty price
        LineCase{"$5.00", "", "0", "$0.00"},                                     // empty quantity
        LineCase{"$5.00", "-1", "0", "$-5.00"},       // a return typed as -1
        LineCase{"$1,234.50", "1", "0", "$1234.50"},  // grouping dropped
        LineCase{"$100", "1", "10%", "$90.00"},       // "%" typed with the discount
        LineCase{"0.25", "1", "50", "$0.12"},         // u 0.125 -> 0.13 (half away from zero)
        LineCase{"$10", "1.5", "0", "$15.00"},        // fractional quantity
        LineCase{"$9.99", "2", "8.875", "$18.20"}));  // 8.875% -> 0.0888, u 0.89, n 9.10

TaxState On(const char* rate) { return {true, rate}; }
TaxState Off(const char* rate) { return {false, rate}; }

TEST(SaleAmounts, WorkedExample) {
    const auto a =
        ComputeAmounts(std::vector<std::string>{"$50.97", "$10.00"}, "10", "%", On("7"), Off("5"));
    EXPECT_EQ(a.preTax, "60.97");
    EXPECT_EQ(a.afterDiscount, "54.87");  // d = 6.10
    EXPECT_EQ(a.taxOne, "3.84");
    EXPECT_EQ(a.taxTwo, "0");
    EXPECT_EQ(a.total, "58.71");
}

TEST(SaleAmounts, EmptyListGivesZeroesWithAnOffTaxAsBareZero) {
    const auto a = ComputeAmounts(std::vector<std::string>{}, "", "%", On("7"), Off("5"));
    EXPECT_EQ(a.preTax, "0.00");
    EXPECT_EQ(a.afterDiscount, "0.00");
    EXPECT_EQ(a.taxOne, "0.00");
    EXPECT_EQ(a.taxTwo, "0");
    EXPECT_EQ(a.total, "0.00");
}

TEST(SaleAmounts, DiscountTypes) {
    const std::vector<std::string> totals{"$40.00"};
    // "$" with an empty amount discounts nothing.
    EXPECT_EQ(ComputeAmounts(totals, "", "$", Off("0"), Off("0")).afterDiscount, "40.00");
    EXPECT_EQ(ComputeAmounts(totals, "10", "%", Off("0"), Off("0")).afterDiscount, "36.00");
    EXPECT_EQ(ComputeAmounts(totals, "$2.50", "$", Off("0"), Off("0")).afterDiscount, "37.50");
    // Any other type text discounts nothing.
    EXPECT_EQ(ComputeAmounts(totals, "10", "x", Off("0"), Off("0")).afterDiscount, "40.00");
}

TEST(SaleAmounts, DiscountAboveTotalTurnsEverythingNegative) {
    const auto a = ComputeAmounts(std::vector<std::string>{"$10.00"}, "15", "$", On("10"), On("5"));
    EXPECT_EQ(a.afterDiscount, "-5.00");
    EXPECT_EQ(a.taxOne, "-0.50");
    EXPECT_EQ(a.taxTwo, "-0.25");
    EXPECT_EQ(a.total, "-5.75");
}

TEST(SaleAmounts, BothTaxesOnTheDiscountedAmountSideBySide) {
    const auto a = ComputeAmounts(std::vector<std::string>{"$100.00"}, "", "%", On("10"), On("5"));
    EXPECT_EQ(a.taxOne, "10.00");
    EXPECT_EQ(a.taxTwo, "5.00");  // not taxed by tax one
    EXPECT_EQ(a.total, "115.00");
    // A rate of "0" can still be checked: the tax is 0.00, not "0".
    EXPECT_EQ(
        ComputeAmounts(std::vector<std::string>{"$100.00"}, "", "%", On("0"), Off("0")).taxOne,
        "0.00");
}

TEST(SaleAmounts, UnreadableLineTotalsAreLeftOut) {
    const auto a = ComputeAmounts(std::vector<std::string>{"$1.10", "", "n/a", "$2.20"}, "", "%",
                                  Off("0"), Off("0"));
    EXPECT_EQ(a.preTax, "3.30");
}

TEST(SaleAmounts, LinesAreSummedFromTheirTotals) {
    std::vector<SaleLine> lines(2);
    lines[0] = {"Widget", "123", "$19.99", "3", "15", ""};
    lines[1] = {"Hand typed", "", "$10", "1", "0", ""};
    for (auto& l : lines) TotalLine(l);
    EXPECT_EQ(lines[0].total, "$50.97");
    EXPECT_EQ(ComputeAmounts(lines, "10", "%", On("7"), Off("0")).total, "58.71");
}

TEST(Change, UnderAndOverPaymentAndEmptyReceived) {
    EXPECT_EQ(ComputeChange("60", "58.71"), "1.29");
    EXPECT_EQ(ComputeChange("50", "55.00"), "-5.00");
    EXPECT_EQ(ComputeChange("", "58.71"), "-58.71");
}

TEST(Texts, CaptionsDiscountsAndJoins) {
    EXPECT_EQ(TaxCaption("VAT", "5"), "VAT (5%)");
    EXPECT_EQ(TaxCaption("GST", "0"), "GST (NA)");
    EXPECT_EQ(TaxCaption("GST", "0.0"), "GST (0.0%)");  // only exactly "0" is NA
    EXPECT_EQ(DiscountText("", "%"), "%");
    EXPECT_EQ(DiscountText("", "$"), "$");
    EXPECT_EQ(DiscountText("10", "%"), "10%");
    EXPECT_EQ(DiscountText("2.50", "$"), "$2.50");
    EXPECT_EQ(JoinTexts({"Smith, Anna", "12 High St", "Springfield, IL"}),
              "Smith, Anna, 12 High St, Springfield, IL");
    EXPECT_EQ(JoinTexts({}), "");
}

}  // namespace
