#include "store/core/money.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brenvik {
namespace {

struct Case {
    std::string in;
    std::string out;
};

TEST(StripNonNumeric, KeepsDigitsMinusSignsAndTheLastPoint) {
    const std::vector<Case> cases = {
        {"$1,234.56", "1234.56"},
        {"1.234.56", "1234.56"},
        {"1.234,56", "1.23456"},
        {"-$5", "-5"},
        {"(5.00)", "5.00"},
        {"12-34", "12-34"},
        {"abc", "0"},
        {"", "0"},
        {"12-34 5", "12-345"},
        {"..", "."},
        {"a.b", "."},
        {"5-", "5-"},
    };
    for (const Case& c : cases) EXPECT_EQ(StripNonNumeric(c.in), c.out) << c.in;
}

TEST(ReadNumber, FollowsTheDecimalSyntax) {
    struct Read {
        std::string text;
        bool valid;
        long double value;
    };
    const std::vector<Read> cases = {
        {"12.5", true, 12.5L}, {"  -3", true, -3},   {"+4", true, 4},      {".", true, 0},
        {"5.", true, 5},       {".25", true, 0.25L}, {"1e3", true, 1000},  {"2.5E-1", true, 0.25L},
        {"-1e+2", true, -100}, {"", false, 0},       {"-", false, 0},      {"+", false, 0},
        {"5 ", false, 0},      {"1e", false, 0},     {"1e+", false, 0},    {"1-2", false, 0},
        {"12.5x", false, 0},   {"$5", false, 0},     {"1.2.3", false, 0},  {"inf", false, 0},
        {"0x10", false, 0},    {"nan", false, 0},    {"1e5000", false, 0}, {"e5", false, 0},
    };
    for (const Read& c : cases) {
        long double v = -99;
        EXPECT_EQ(ReadNumber(c.text, v), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(ReadLenient, CountsTheDigitsBeforeTheFirstOffendingCharacter) {
    const std::vector<std::pair<std::string, long double>> cases = {
        {"1-2", 1}, {"12.5x", 125}, {"-5x", 5},    {"$5", 0}, {"", 0},       {"abc", 0},
        {"5 ", 5},  {"--5", 0},     {"2.5", 2.5L}, {"1e", 1}, {"1e5000", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ReadLenient(text), value) << text;
}

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheDecimalExpansion) {
    struct Fmt {
        long double value;
        int decimals;
        std::string text;
    };
    const std::vector<Fmt> cases = {
        {0.125L, 2, "0.13"},     {-0.125L, 2, "-0.13"}, {-0.001L, 2, "-0.00"},
        {0.005L, 2, "0.01"},     {0.004L, 2, "0.00"},   {0.0004L, 2, "0.00"},
        {1.005L, 2, "1.01"},     {2.675L, 2, "2.68"},   {0.1L + 0.2L, 2, "0.30"},
        {2.5L, 0, "3"},          {-2.5L, 0, "-3"},      {-0.4L, 0, "-0"},
        {0.5L, 0, "1"},          {9.995L, 2, "10.00"},  {99.5L, 0, "100"},
        {0, 2, "0.00"},          {12, 2, "12.00"},      {1234567.891L, 2, "1234567.89"},
        {0.08875L, 4, "0.0888"}, {0.07L, 4, "0.0700"},  {123.45L, 1, "123.5"},
    };
    for (const Fmt& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << double(c.value) << " " << c.decimals;
}

TEST(FormatFixed, HugeAndNonFiniteValuesGiveText) {
    EXPECT_EQ(FormatFixed(1e300L, 2), "1" + std::string(300, '0') + ".00");
    EXPECT_EQ(FormatFixed(-1e20L, 0), "-100000000000000000000");
    EXPECT_EQ(FormatFixed(123456789012345678901.0L, 2), "123456789012345679000.00");
    EXPECT_EQ(FormatFixed(1e4000L * 1e4000L, 2), "INF");
    EXPECT_EQ(FormatFixed(-1e4000L * 1e4000L, 2), "-INF");
}

TEST(MoneyArithmetic, AddSubtractMultiplyAndPercent) {
    EXPECT_EQ(AddStrings("2.5", "$1.25"), "3.75");
    EXPECT_EQ(AddStrings("4", "1-2"), "5.00");       // lenient second operand
    EXPECT_EQ(SubtractStrings("4", "1-2"), "4.00");  // invalid counts as 0
    EXPECT_EQ(SubtractStrings("", "4"), "-4.00");
    EXPECT_EQ(SubtractStrings("1.00", "1.001"), "-0.00");
    EXPECT_EQ(SubtractStrings("$10.00", "2.25"), "7.75");
    EXPECT_EQ(AddStrings("", ""), "0.00");
    EXPECT_EQ(AddStrings("0.1", "0.2"), "0.30");
    EXPECT_EQ(MultiplyStrings("0.125", "1"), "0.13");
    EXPECT_EQ(MultiplyStrings("-0.125", "1"), "-0.13");
    EXPECT_EQ(MultiplyStrings("1", "$12.5"), "12.50");
    EXPECT_EQ(MultiplyStrings("3", "1.15"), "3.45");
    EXPECT_EQ(MultiplyStrings("0.0888", "19.99"), "1.78");
    EXPECT_EQ(ConvertPercent("8.875"), "0.0888");
    EXPECT_EQ(ConvertPercent("7"), "0.0700");
    EXPECT_EQ(ConvertPercent("abc"), "0.0000");
    EXPECT_EQ(ConvertPercent("-5%"), "-0.0500");
    EXPECT_EQ(MakeMoney("12.50"), "$12.50");
    EXPECT_EQ(MakeMoney("anything"), "$anything");
}

TEST(MoneyArithmetic, HugeValuesDoNotBreak) {
    const std::string e300 = "1" + std::string(300, '0');
    const std::string e4000 = "1" + std::string(4000, '0');
    const std::string e5000 = "1" + std::string(5000, '0');
    EXPECT_EQ(AddStrings(e300, "0"), e300 + ".00");
    EXPECT_EQ(AddStrings("1e300", "0"), "1300.00");  // stripping drops the e
    EXPECT_EQ(AddStrings(e5000, "1"), "1.00");       // beyond range counts as nothing
    EXPECT_EQ(AddStrings(e5000 + "x", "1"), "1.00");
    EXPECT_EQ(MultiplyStrings(e4000, e4000), "INF");
    EXPECT_EQ(StringRound("1e5000"), "1e5000");
    EXPECT_EQ(StringRound("1e400"), "1e400");  // beyond double range
    EXPECT_EQ(GetSumFromStringList({"1" + std::string(400, '0'), "1"}), "1.00");
}

TEST(GetSumFromStringList, SumsTheValidEntries) {
    EXPECT_EQ(GetSumFromStringList({"1.10", "2.20", "n/a"}), "3.30");
    EXPECT_EQ(GetSumFromStringList({}), "0.00");
    EXPECT_EQ(GetSumFromStringList({"2", "3", "x"}), "5.00");
    EXPECT_EQ(GetSumFromStringList({"4", "1-2", "$1.50"}), "5.50");  // 1-2 skipped
    EXPECT_EQ(GetSumFromStringList({"-0.004"}), "-0.00");
    // Entries are rounded to double before they are added; operands of the
    // other operations keep extended precision.
    EXPECT_EQ(GetSumFromStringList({"1.005"}), "1.00");
    EXPECT_EQ(AddStrings("1.005", "0"), "1.01");
}

TEST(StringRound, RoundsHalfToEvenAndKeepsInvalidText) {
    const std::vector<Case> cases = {
        {"2.50", "2"}, {"3.50", "4"}, {"2.51", "3"},  {"-2.5", "-2"},  {"-3.5", "-4"},
        {"0.4", "0"},  {"-0.4", "0"}, {"abc", "abc"}, {"5.00", "5"},   {" 7", "7"},
        {"7 ", "7 "},  {"$5", "$5"},  {"", ""},       {"1e3", "1000"},
    };
    for (const Case& c : cases) EXPECT_EQ(StringRound(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace brenvik
