#include "analyzer/calculator.h"

#include "store/core/money.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pellard {

std::string FormatCalcValue(double value, int decimals, const CalcSeparators& seps) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    // 14 significant digits, as the display can hold.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.13e", value);
    const long double v = std::strtold(buf, nullptr);
    if (std::fabs(v) >= 1e14L) {
        std::string s = buf;  // d.ddddddddddddde+XX
        const auto e = s.find('e');
        std::string mantissa = s.substr(0, e);
        while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
        const auto point = mantissa.find('.');
        if (point != std::string::npos) mantissa.replace(point, 1, seps.decimal);
        const int exponent = std::atoi(s.c_str() + e + 1);
        return mantissa + "E" + (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent));
    }
    std::string fixed = brenvik::FormatFixed(v, decimals);
    bool negative = !fixed.empty() && fixed[0] == '-';
    if (negative) fixed.erase(0, 1);
    if (fixed.find_first_not_of("0.") == std::string::npos) negative = false;  // no "-0.00"
    const auto point = fixed.find('.');
    const std::string whole = fixed.substr(0, point);
    std::string out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += seps.thousands;
        out += whole[i];
    }
    if (point != std::string::npos) out += seps.decimal + fixed.substr(point + 1);
    return negative ? "-" + out : out;
}

Calculator::Calculator(CalcSeparators seps) : seps_(std::move(seps)) {
    Format(0);
    WriteLine("Calculator");
    WriteLine("", true);
}

void Calculator::SetDecimals(int decimals) {
    decimals_ = decimals < 0 ? 0 : decimals > kMaxDecimals ? kMaxDecimals : decimals;
    Format(current_);
}

bool Calculator::IsOperator(char key) {
    return key == '+' || key == '-' || key == '*' || key == '/' || key == '=';
}

Calculator::Action Calculator::Key(char key) {
    if (key == calckey::Enter) key = '=';
    if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
    key_ = key;
    Action action = Action::None;
    if (key >= '0' && key <= '9') Digit(key);
    else if (key == '.') DecimalPoint();
    else if (IsOperator(key)) Operator(key);
    else if (key == '%') Percent();
    else if (key == calckey::Clear) Clear();
    else if (key == calckey::Backspace) Backspace();
    else if (key == calckey::MC || key == calckey::MR || key == calckey::MPlus ||
             key == calckey::MMinus)
        MemoryKey(key);
    else if (key == calckey::Print) action = Action::Print;
    else if (key == calckey::Options) {
        page_ = (page_ + 1) % 4;
        action = Action::NextOptionPage;
    } else if (key == calckey::Escape) action = Action::Close;
    else if (key == calckey::Use) action = Action::CloseUse;
    previousKey_ = key;
    return action;
}

void Calculator::Digit(char d) {
    // Only digits actually taken count as decimals, so that a digit refused
    // for being one too many does not block the next one after a backspace.
    const int count = noPoint_ ? 0 : fractionDigits_ + 1;
    if (count > decimals_) return;
    fractionDigits_ = count;
    if (entryText_.size() <= static_cast<std::size_t>(kWidth)) entryText_ += d;
    ReadEntry();
}

void Calculator::DecimalPoint() {
    if (!noPoint_) return;
    noPoint_ = false;
    fractionDigits_ = 0;
    entryText_ += seps_.decimal;
    ReadEntry();
}

void Calculator::ReadEntry() {
    std::string text;
    std::size_t i = entryText_.find_first_not_of(' ');
    if (i == std::string::npos) i = entryText_.size();
    text = entryText_.substr(i);
    if (seps_.decimal != ".") {
        const auto p = text.find(seps_.decimal);
        if (p != std::string::npos) text.replace(p, seps_.decimal.size(), ".");
    }
    double v = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last) {
        // "12." reads as 12 and a lone "." as 0.
        if (text == ".") v = 0;
        else if (std::from_chars(first, last, v).ec != std::errc()) v = 0;
    }
    entry_ = v;
    Format(entry_);
}

void Calculator::Operator(char key) {
    noPoint_ = true;
    fractionDigits_ = 0;
    if (IsOperator(previousKey_)) {
        entry_ = previousEntry_;
        Format(entry_);
    }
    switch (pending_) {
    case '+':
        WriteLine(display_ + " +");
        accumulator_ += entry_;
        break;
    case '-':
        WriteLine(display_ + " -");
        accumulator_ -= entry_;
        break;
    case '*':
        WriteLine(display_ + " *");
        accumulator_ *= entry_;
        break;
    case '/':
        WriteLine(display_ + " /");
        accumulator_ = entry_ == 0 ? 0 : accumulator_ / entry_;
        break;
    default:
        WriteLine(display_ + "  ");
        accumulator_ = entry_;
        break;
    }
    previousEntry_ = entry_;
    entry_ = 0;
    entryText_.clear();
    pending_ = key == '=' ? ' ' : key;
    Format(accumulator_);
    if (key == '=') WriteLine(display_ + " =", true);
}

void Calculator::Percent() {
    noPoint_ = true;
    fractionDigits_ = 0;
    const double a = accumulator_;
    const double e = entry_;
    switch (pending_) {
    case '+':
        WriteLine(display_ + "%+");
        accumulator_ = a + a * e / 100;
        break;
    case '-':
        WriteLine(display_ + "%-");
        accumulator_ = a - a * e / 100;
        break;
    case '*':
        WriteLine(display_ + "%*");
        accumulator_ = a * e / 100;
        break;
    case '/':
        WriteLine(display_ + "%/");
        accumulator_ = e == 0 ? 0 : a / e / 100;  // as a division by 0 gives 0
        break;
    default:
        WriteLine(display_ + "% ");
        accumulator_ = e;
        break;
    }
    pending_ = ' ';
    entryText_ = " ";
    Format(accumulator_);
    previousEntry_ = e;
    entry_ = accumulator_;
    accumulator_ = 0;
    WriteLine(display_ + "%=", true);
}

void Calculator::Clear() {
    noPoint_ = true;
    fractionDigits_ = 0;
    if (previousKey_ == calckey::Clear) {
        entry_ = previousEntry_ = accumulator_ = 0;
        pending_ = ' ';
        entryText_.clear();
        Format(0);
        WriteLine("C", true);
    } else {
        entry_ = 0;
        entryText_.clear();
        Format(0);
    }
}

void Calculator::Backspace() {
    if (!entryText_.empty()) {
        const std::size_t n = seps_.decimal.size();
        if (!noPoint_ && entryText_.size() >= n &&
            entryText_.compare(entryText_.size() - n, n, seps_.decimal) == 0) {
            entryText_.resize(entryText_.size() - n);
            noPoint_ = true;
        } else {
            entryText_.pop_back();
            if (fractionDigits_ > 0) --fractionDigits_;
        }
    }
    ReadEntry();
}

void Calculator::MemoryKey(char key) {
    switch (key) {
    case calckey::MC:
        WriteLine("MC");
        memory_ = 0;
        break;
    case calckey::MR:
        // The recalled value becomes the number being entered, so that the
        // next operator works with the value the display and tape show.
        Format(memory_);
        WriteLine(display_ + "MR");
        entry_ = memory_;
        entryText_.clear();
        noPoint_ = true;
        fractionDigits_ = 0;
        break;
    case calckey::MPlus:
    case calckey::MMinus:
        if (key == calckey::MPlus) memory_ += current_;
        else memory_ -= current_;
        WriteLine(display_ + (key == calckey::MPlus ? "M+" : "M-"));
        pending_ = ' ';
        entryText_.clear();
        break;
    default:
        break;
    }
}

void Calculator::Format(double value) {
    current_ = value;
    display_ = FormatCalcValue(value, decimals_, seps_) + " ";
}

void Calculator::WriteLine(std::string_view text, bool separator) {
    std::string line(text);
    if (line.size() < static_cast<std::size_t>(kWidth))
        line.insert(0, static_cast<std::size_t>(kWidth) - line.size(), ' ');
    tape_.push_back(std::move(line));
    if (separator) tape_.emplace_back(static_cast<std::size_t>(kWidth), '-');
}

}  // namespace pellard
