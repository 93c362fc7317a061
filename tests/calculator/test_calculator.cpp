#include "analyzer/calculator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using pellard::Calculator;
namespace key = pellard::calckey;

namespace {

// Keys as typed: printable characters as they are, 'C' for Clear, 'B' for
// backspace, 'm' MC, 'r' MR, 'p' M+, 'n' M-.
void Type(Calculator& c, const std::string& keys) {
    for (char k : keys) {
        switch (k) {
        case 'C':
            c.Key(key::Clear);
            break;
        case 'B':
            c.Key(key::Backspace);
            break;
        case 'm':
            c.Key(key::MC);
            break;
        case 'r':
            c.Key(key::MR);
            break;
        case 'p':
            c.Key(key::MPlus);
            break;
        case 'n':
            c.Key(key::MMinus);
            break;
        default:
            c.Key(k);
            break;
        }
    }
}

// The tape lines written after the opening "Calculator" and separator.
std::vector<std::string> Written(const Calculator& c) {
    return {c.Tape().begin() + 3, c.Tape().end()};
}

const std::string kSep(14, '-');

std::string Pad(const std::string& s) { return std::string(14 - s.size(), ' ') + s; }

}  // namespace

TEST(Calculator, OpensWithHeadingAndZero) {
    Calculator c;
    EXPECT_EQ(c.Tape(), (std::vector<std::string>{"    Calculator", std::string(14, ' '), kSep}));
    EXPECT_EQ(c.DisplayText(), "0.00 ");
    EXPECT_FALSE(c.MemoryShown());
}

TEST(Calculator, AdditionWritesTheTape) {
    Calculator c;
    Type(c, "2+3=");
    EXPECT_EQ(c.DisplayText(), "5.00 ");
    EXPECT_EQ(Written(c),
              (std::vector<std::string>{Pad("2.00   "), Pad("3.00  +"), Pad("5.00  ="), kSep}));
    // Enter counts as "=".
    Calculator d;
    Type(d, "2+3");
    d.Key(key::Enter);
    EXPECT_EQ(d.Tape(), c.Tape());
}

struct Sequence {
    const char* keys;
    const char* display;
};

class CalculatorSequences : public testing::TestWithParam<Sequence> {};

TEST_P(CalculatorSequences, ShowsTheResult) {
    Calculator c;
    Type(c, GetParam().keys);
    EXPECT_EQ(c.DisplayText(), std::string(GetParam().display) + " ") << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CalculatorSequences,
    testing::Values(
        Sequence{"8/0=", "0.00"},     // division by 0 gives 0
        Sequence{"1.239", "1.23"},    // a third decimal is ignored
        Sequence{"1.239B4", "1.24"},  // ...and does not block the next after a backspace
        Sequence{"200+10%", "220.00"}, Sequence{"200-10%", "180.00"}, Sequence{"200*10%", "20.00"},
        Sequence{"200/10%", "0.20"},
        Sequence{"200/0%", "0.00"},  // a percent of 0 divides like "/" does
        Sequence{"50%", "50.00"}, Sequence{"200+10%+5=", "225.00"},  // the percent result goes on
        Sequence{"5+3C2=", "7.00"},   // one Clear clears only the entry
        Sequence{"5+3CC2=", "2.00"},  // two clear everything
        Sequence{"12.B", "12.00"},
        Sequence{"12.B5", "125.00"},  // the point is gone, the next digit is whole
        Sequence{"12B", "1.00"}, Sequence{"B", "0.00"},
        Sequence{"2++", "4.00"},  // a repeated operator takes the last entry again
        Sequence{"6-2==", "2.00"}, Sequence{"7*6=", "42.00"},
        Sequence{"1234567*1000=", "1,234,567,000.00"}, Sequence{"0-1234.5=", "-1,234.50"},
        Sequence{"99999999*99999999=", "9.9999998E+15"},
        Sequence{"11111111111111111111", "1.1111111111111E+14"},  // 15 digits at most
        Sequence{"..5", "0.50"}, Sequence{"x2", "2.00"}));

TEST(Calculator, Memory) {
    Calculator c;
    Type(c, "5p");
    EXPECT_EQ(c.Memory(), 5);
    EXPECT_TRUE(c.MemoryShown());
    Type(c, "2n");
    EXPECT_EQ(c.Memory(), 3);
    Type(c, "C9+r=");  // the recalled value is what "=" works with
    EXPECT_EQ(c.DisplayText(), "12.00 ");
    Type(c, "m");
    EXPECT_EQ(c.Memory(), 0);
    EXPECT_FALSE(c.MemoryShown());
    EXPECT_EQ(Written(c), (std::vector<std::string>{Pad("5.00 M+"), Pad("2.00 M-"), Pad("9.00   "),
                                                    Pad("3.00 MR"), Pad("3.00  +"), Pad("12.00  ="),
                                                    kSep, Pad("MC")}));
}

TEST(Calculator, PercentAndClearOnTheTape) {
    Calculator c;
    Type(c, "200+10%CC");
    EXPECT_EQ(Written(c), (std::vector<std::string>{Pad("200.00   "), Pad("10.00 %+"),
                                                    Pad("220.00 %="), kSep, Pad("C"), kSep}));
    EXPECT_EQ(c.DisplayText(), "0.00 ");
}

TEST(Calculator, DecimalsOption) {
    Calculator c;
    c.SetDecimals(0);
    Type(c, "7.5");  // no decimal may be typed
    EXPECT_EQ(c.DisplayText(), "7 ");
    c.SetDecimals(9);
    EXPECT_EQ(c.Decimals(), 7);
    Type(c, "/3=");
    EXPECT_EQ(c.DisplayText(), "2.3333333 ");
}

TEST(Calculator, OtherKeys) {
    Calculator c;
    EXPECT_EQ(c.Key(key::Options), Calculator::Action::NextOptionPage);
    EXPECT_EQ(c.OptionPage(), 1);
    for (int i = 0; i < 3; ++i) c.Key(key::Options);
    EXPECT_EQ(c.OptionPage(), 0);
    EXPECT_EQ(c.Key(key::Print), Calculator::Action::Print);
    EXPECT_EQ(c.Key(key::Escape), Calculator::Action::Close);
    EXPECT_EQ(c.Key(key::Use), Calculator::Action::CloseUse);
    EXPECT_EQ(c.Tape().size(), 3u);
}

TEST(Calculator, RegionalSeparators) {
    Calculator c({",", "."});
    Type(c, "1234,5");  // "," is no key: the separator is typed with "."
    EXPECT_EQ(c.DisplayText(), "12.345,00 ");
    Calculator d({",", "."});
    Type(d, "1234.5");
    EXPECT_EQ(d.EntryText(), "1234,5");
    EXPECT_EQ(d.DisplayText(), "1.234,50 ");
    EXPECT_DOUBLE_EQ(d.CurrentValue(), 1234.5);
}
