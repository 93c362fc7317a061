#include "store/core/datetext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brenvik {
namespace {

TEST(ParseDate, AcceptsYearMonthDayNumbers) {
    struct Ok {
        std::string text;
        Date date;
    };
    const std::vector<Ok> cases = {
        {"2024/03/15", {2024, 3, 15}},     {"2024/3/5", {2024, 3, 5}},
        {"  2024/03/15  ", {2024, 3, 15}}, {"2024 / 03 / 15", {2024, 3, 15}},
        {"2000/02/29", {2000, 2, 29}},     {"0001/01/01", {1, 1, 1}},
        {"9999/12/31", {9999, 12, 31}},    {"2024/0003/0015", {2024, 3, 15}},
    };
    for (const Ok& c : cases) {
        const auto d = ParseDate(c.text);
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(*d, c.date) << c.text;
    }
}

TEST(ParseDate, RejectsOtherTexts) {
    for (const char* text :
         {"", "    /  /  ", "2024/02/30", "1900/02/29", "2024/13/01", "2024/00/10", "2024/01/00",
          "0000/01/01", "2024-03-15", "2024/03", "2024/03/15x", "2024/03/15 10:00", "x2024/03/15",
          "20245/01/01", "2024/03/-1", "03/15/2024"}) {
        EXPECT_FALSE(ParseDate(text).has_value()) << text;
    }
}

TEST(ParseDate, TwoDigitYearsFallInTheWindowAroundToday) {
    const int now = Today().year;
    const auto near = ParseDate(std::to_string(now % 100) + "/01/01");
    ASSERT_TRUE(near);
    EXPECT_EQ(near->year, now);
    const int far = (now - 51) % 100;  // more than fifty years ago wraps forward
    const auto d = ParseDate(std::to_string(far) + "/06/01");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->year, now - 51 + 100);
}

TEST(FormatDate, PadsToFourTwoTwo) {
    EXPECT_EQ(FormatDate({2024, 3, 5}), "2024/03/05");
    EXPECT_EQ(FormatDate({987, 12, 31}), "0987/12/31");
    EXPECT_EQ(FormatDate(*ParseDate(FormatDate(Today()))), FormatDate(Today()));
}

TEST(DayNumber, CountsFromTheDateSerialEpochAndRoundTrips) {
    EXPECT_EQ(DayNumber({1899, 12, 30}), 0);
    EXPECT_EQ(DayNumber({1970, 1, 1}), 25569);
    EXPECT_EQ(DayNumber({2000, 3, 1}) - DayNumber({2000, 2, 28}), 2);
    EXPECT_EQ(DayNumber({1900, 3, 1}) - DayNumber({1900, 2, 28}), 1);
    EXPECT_EQ(DayOfWeek({1899, 12, 30}), 7);  // Saturday
    EXPECT_EQ(DayOfWeek({2024, 3, 17}), 1);   // Sunday
    for (long n = DayNumber({1, 1, 1}); n <= DayNumber({9999, 12, 31}); n += 97) {
        const Date d = FromDayNumber(n);
        ASSERT_TRUE(IsValidDate(d.year, d.month, d.day)) << n;
        ASSERT_EQ(DayNumber(d), n);
    }
}

TEST(NotAValidDateMessage, QuotesTheText) {
    EXPECT_EQ(NotAValidDateMessage("2024/02/30"), "'2024/02/30' is not a valid date");
    EXPECT_EQ(NotAValidDateMessage(""), "'' is not a valid date");
}

}  // namespace
}  // namespace brenvik
