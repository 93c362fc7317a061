#include "analyzer/values.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

using namespace pellard;

TEST(NumericValue, ValidAndLenientReadings) {
    struct Case {
        const char* text;
        bool valid;
        double value;
    };
    const Case cases[] = {
        {"12.50", true, 12.5},  {" 12.50", true, 12.5},
        {"12.50 ", true, 12.5}, {"1,234.56", true, 1234.56},
        {"12.5x", false, 125},  {"-3x", false, 3},
        {"-3 USD", false, 3},   {"$5.00", true, 5},
        {"abc", false, 0},      {"", false, 0},
        {"   ", false, 0},      {"12.", true, 12},
        {".5", true, 0.5},      {"-0.25", true, -0.25},
        {"+7", true, 7},        {"1e3", true, 1000},
        {"2.5E-1", true, 0.25}, {"1e", false, 1},
        {"-", false, 0},        {".", false, 0},
        {"\t5", false, 0},
    };
    for (const Case& c : cases) {
        const Number n = NumericValue(c.text);
        EXPECT_EQ(n.valid, c.valid) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(n.value, c.value) << '"' << c.text << '"';
        EXPECT_FALSE(n.overflow) << c.text;
    }
}

TEST(NumericValue, AmountsAsDownloadsWriteThem) {
    struct Case {
        const char* text;
        bool valid;
        double value;  // the reading of an invalid text is the lenient one
    };
    const Case cases[] = {
        {"1,058.09", true, 1058.09},
        {"-1,058.09", true, -1058.09},
        {"$1,234", true, 1234},
        {"-$1,234.50", true, -1234.5},
        {"$-1,234.50", true, -1234.5},
        {"+$7", true, 7},
        {" 1,000,000.5 ", true, 1000000.5},
        {"\xC2\xA3"
         "12.00",
         true, 12},  // pound sign in UTF-8
        {"\xA3"
         "12.00",
         true, 12},  // and in the Western code page
        {"\xE2\x82\xAC"
         "-3",
         true, -3},  // euro sign in UTF-8
        {"\x80"
         "1,000",
         true, 1000},  // and in the code page
        {"$ 5", true, 5},
        {"$1e3", true, 1000},
        {"1,23", false, 1},  // groups are three digits
        {"1,2345", false, 1},
        {"1234,567", false, 1234},
        {",123", false, 0},
        {"1,234.", true, 1234},
        {"-$-5", false, 0},  // one sign only
        {"--5", false, 0},
        {"$", false, 0},
        {"$$5", false, 0},
        {"USD 3", false, 0},
        {"1 234", false, 1},
        {"5 $", false, 5},
    };
    for (const Case& c : cases) {
        const Number n = NumericValue(c.text);
        EXPECT_EQ(n.valid, c.valid) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(n.value, c.value) << '"' << c.text << '"';
    }
    EXPECT_TRUE(HasContent(" x"));
    EXPECT_FALSE(HasContent("   "));
}

TEST(DateValue, OrdersSeparatorsAndDetection) {
    const Day mar5 = DayFromYMD(2024, 3, 5);
    EXPECT_EQ(DateValue("05/03/2024", DateOrder::DayMonthYear), mar5);
    EXPECT_EQ(DateValue("5-3-2024", DateOrder::DayMonthYear), mar5);
    EXPECT_EQ(DateValue("2024-03-05", DateOrder::YearMonthDay), mar5);
    EXPECT_EQ(DateValue("03-05-2024", DateOrder::MonthDayYear), mar5);
    EXPECT_FALSE(DateValue("13/31/2024", DateOrder::DayMonthYear));
    EXPECT_EQ(FormatDay(mar5, DateOrder::DayMonthYear), "05/03/2024");
    for (DateOrder o : {DateOrder::YearMonthDay, DateOrder::MonthDayYear, DateOrder::DayMonthYear})
        EXPECT_EQ(DateOrderFromText(DateFormatText(o)), o);
    EXPECT_FALSE(DateOrderFromText("dd.mm.yyyy"));

    using Cells = std::vector<std::string>;
    const std::pair<Cells, DateOrder> columns[] = {
        {{"2024/03/05"}, DateOrder::YearMonthDay},
        {{"", "soon", "2024-03-05"}, DateOrder::YearMonthDay},
        {{"03/05/2024", "03/13/2024"}, DateOrder::MonthDayYear},
        {{"03/05/2024", "13/05/2024"}, DateOrder::DayMonthYear},
        {{"05-03-24", "31-12-23"}, DateOrder::DayMonthYear},
        {{"03/05/2024"}, DateOrder::MonthDayYear},  // cannot tell: month first
        {{}, DateOrder::MonthDayYear},
        {{"12345/1/1", "abc"}, DateOrder::MonthDayYear},
    };
    for (const auto& column : columns) {
        const Cells& cells = column.first;
        EXPECT_EQ(DetectDateOrder(static_cast<int>(cells.size()), [&](int i) { return cells[i]; }),
                  column.second)
            << (cells.empty() ? "" : cells.back());
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
    EXPECT_EQ(DateValue("2001-01-30", DateOrder::YearMonthDay), jan30);  // as downloads write it
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
    // Nothing left after rounding has no sign.
    EXPECT_EQ(FormatNumber(-0.0L), "0.00");
    EXPECT_EQ(FormatNumber(-0.001L), "0.00");
    EXPECT_EQ(FormatNumber(-0.005L), "-0.01");
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
