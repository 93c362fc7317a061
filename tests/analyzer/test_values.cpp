#include "analyzer/values.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <string>

using namespace pellard;

TEST(NumericValue, ValidAndLenientReadings) {
    struct Case {
        const char* text;
        bool valid;
        double value;
    };
    const Case cases[] = {
        {"12.50", true, 12.5},  {" 12.50", true, 12.5}, {"12.50 ", false, 1250},
        {"1,234.56", false, 1}, {"12.5x", false, 125},  {"-3x", false, 3},
        {"-3 USD", false, 3},   {"$5.00", false, 0},    {"abc", false, 0},
        {"", false, 0},         {"   ", false, 0},      {"12.", true, 12},
        {".5", true, 0.5},      {"-0.25", true, -0.25}, {"+7", true, 7},
        {"1e3", true, 1000},    {"2.5E-1", true, 0.25}, {"1e", false, 1},
        {"-", false, 0},        {".", false, 0},        {"\t5", false, 0},
    };
    for (const Case& c : cases) {
        const Number n = NumericValue(c.text);
        EXPECT_EQ(n.valid, c.valid) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(n.value, c.value) << '"' << c.text << '"';
        EXPECT_FALSE(n.overflow) << c.text;
    }
}

TEST(NumericValue, OutOfRangeExponents) {
    EXPECT_TRUE(NumericValue("1e400").overflow);
    EXPECT_TRUE(NumericValue("1e400").valid);
    const Number tiny = NumericValue("1e-400");
    EXPECT_TRUE(tiny.valid);
    EXPECT_FALSE(tiny.overflow);
    EXPECT_EQ(tiny.value, 0);
}

TEST(DateValue, BothOrdersAndShortForms) {
    const Day jan30 = DayFromYMD(2001, 1, 30);
    EXPECT_EQ(DateValue("2001/01/30", DateOrder::YearMonthDay), jan30);
    EXPECT_EQ(DateValue("2001/1/30", DateOrder::YearMonthDay), jan30);
    EXPECT_EQ(DateValue(" 01/30/2001 ", DateOrder::MonthDayYear), jan30);
    EXPECT_FALSE(DateValue("2001/01/30", DateOrder::MonthDayYear));
    EXPECT_FALSE(DateValue("01/30/2001", DateOrder::YearMonthDay));
    EXPECT_FALSE(DateValue("2001/02/29", DateOrder::YearMonthDay));
    EXPECT_FALSE(DateValue("2001-01-30", DateOrder::YearMonthDay));
    EXPECT_FALSE(DateValue("", DateOrder::YearMonthDay));
    EXPECT_FALSE(DateValue("2001/01/30x", DateOrder::YearMonthDay));
    EXPECT_FALSE(DateValue("2001/01/30/5", DateOrder::YearMonthDay));

    const YMD today = YMDFromDay(Today());
    // Two numbers: month and day of this year, in either order setting.
    EXPECT_EQ(DateValue("3/4", DateOrder::YearMonthDay), DayFromYMD(today.year, 3, 4));
    EXPECT_EQ(DateValue("3/4", DateOrder::MonthDayYear), DayFromYMD(today.year, 3, 4));
    // A two-digit year lies in the current century.
    const int century = today.year / 100 * 100;
    EXPECT_EQ(DateValue("05/06/07", DateOrder::MonthDayYear), DayFromYMD(century + 7, 5, 6));
    EXPECT_EQ(DateValue("07/05/06", DateOrder::YearMonthDay), DayFromYMD(century + 7, 5, 6));
}

TEST(DateValue, DaysRoundTripAndWeekdays) {
    for (Day d = DayFromYMD(1899, 12, 25); d < DayFromYMD(2101, 1, 10); d += 37) {
        const YMD ymd = YMDFromDay(d);
        ASSERT_EQ(DayFromYMD(ymd.year, ymd.month, ymd.day), d);
        ASSERT_EQ(DateValue(FormatDay(d, DateOrder::YearMonthDay), DateOrder::YearMonthDay), d);
        ASSERT_EQ(DateValue(FormatDay(d, DateOrder::MonthDayYear), DateOrder::MonthDayYear), d);
    }
    EXPECT_EQ(FormatDay(DayFromYMD(2001, 3, 2), DateOrder::YearMonthDay), "2001/03/02");
    EXPECT_EQ(FormatDay(DayFromYMD(2001, 3, 2), DateOrder::MonthDayYear), "03/02/2001");
    EXPECT_EQ(DayOfWeek(DayFromYMD(2001, 1, 31)), 3);   // a Wednesday
    EXPECT_EQ(DayOfWeek(DayFromYMD(1969, 12, 28)), 0);  // a Sunday
}

TEST(FormatNumber, TwoDecimalsHalfAwayFromZero) {
    EXPECT_EQ(FormatNumber(12.5L), "12.50");
    EXPECT_EQ(FormatNumber(0.125), "0.13");
    EXPECT_EQ(FormatNumber(-0.125), "-0.13");
    EXPECT_EQ(FormatNumber(1234567.891L), "1234567.89");
    EXPECT_EQ(FormatNumber(0), "0.00");
    // The double nearest 1.005 is 1.00499999999999989..., which its 18
    // significant digits keep below the half.
    EXPECT_EQ(FormatNumber(1.005), "1.00");
    EXPECT_EQ(FormatNumber(1.005L), "1.01");
}

TEST(NumericValue, QuickDecimalsAgreeWithTheGeneralReader) {
    std::uint64_t s = 88172645463325252ull;
    for (int i = 0; i < 20000; ++i) {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        const int decimals = static_cast<int>(s % 8);
        std::string text = std::to_string(s % 1000000000000ull);
        if (decimals > 0 && text.size() > static_cast<std::size_t>(decimals))
            text.insert(text.size() - decimals, ".");
        double quick = 0, general = 0;
        ASSERT_TRUE(ReadPlainDecimal(text.data(), text.data() + text.size(), quick));
        std::from_chars(text.data(), text.data() + text.size(), general);
        ASSERT_EQ(quick, general) << text;
    }
    double v = 0;
    const char* dot = ".";
    EXPECT_FALSE(ReadPlainDecimal(dot, dot + 1, v));
    const std::string many = "1234567890.1234567";  // more digits than fit exactly
    EXPECT_FALSE(ReadPlainDecimal(many.data(), many.data() + many.size(), v));
    EXPECT_DOUBLE_EQ(NumericValue(many).value, 1234567890.1234567);
}
