#pragma once
// The desk calculator behind the calculator window: keys in, a display text,
// a paper tape of lines and a memory register out. Plain C++ so that key
// sequences can be checked without a window.
#include <string>
#include <string_view>
#include <vector>

namespace pellard {

// Key codes besides the printable ones ("0".."9", ".", "+", "-", "*", "/",
// "=", "%"). Enter counts as "=", lower-case letters are raised.
namespace calckey {
inline constexpr char Use = 1;
inline constexpr char MC = 2;
inline constexpr char MR = 3;
inline constexpr char MPlus = 4;
inline constexpr char MMinus = 5;
inline constexpr char Print = 7;
inline constexpr char Backspace = 8;
inline constexpr char Options = 9;
inline constexpr char Clear = 12;
inline constexpr char Enter = 13;
inline constexpr char Escape = 27;
}  // namespace calckey

// The regional separators the display uses.
struct CalcSeparators {
    std::string decimal = ".";
    std::string thousands = ",";
};

// A value with thousands separators and exactly `decimals` decimals, taken
// first to 14 significant digits; magnitudes of 10^14 and more are written
// in scientific notation. No trailing blank.
std::string FormatCalcValue(double value, int decimals, const CalcSeparators& seps);

class Calculator {
public:
    static constexpr int kWidth = 14;
    static constexpr int kMaxDecimals = 7;

    explicit Calculator(CalcSeparators seps = {});

    // What a key asks of the window besides the calculation.
    enum class Action { None, Print, NextOptionPage, Close, CloseUse };
    // Processes one key (after upper-casing and Enter -> "=").
    Action Key(char key);

    const std::string& DisplayText() const { return display_; }  // value + " "
    double CurrentValue() const { return current_; }
    double Memory() const { return memory_; }
    bool MemoryShown() const { return memory_ != 0; }
    const std::vector<std::string>& Tape() const { return tape_; }
    const std::string& EntryText() const { return entryText_; }

    int Decimals() const { return decimals_; }
    void SetDecimals(int decimals);  // clamped to 0..7; redisplays the current value

    // The option page shown: 0 display, 1 decimals, 2 e-mail, 3 help.
    int OptionPage() const { return page_; }

private:
    void Digit(char d);
    void DecimalPoint();
    void Operator(char key);
    void Percent();
    void Clear();
    void Backspace();
    void MemoryKey(char key);
    void Format(double value);
    void ReadEntry();
    void WriteLine(std::string_view text, bool separator = false);
    static bool IsOperator(char key);

    CalcSeparators seps_;
    double current_ = 0;
    std::string entryText_;
    double entry_ = 0;
    double previousEntry_ = 0;
    double accumulator_ = 0;
    double memory_ = 0;
    char pending_ = ' ';
    bool noPoint_ = true;
    int fractionDigits_ = 0;
    std::string display_;
    int decimals_ = 2;
    char key_ = ' ';
    char previousKey_ = ' ';
    int page_ = 0;
    std::vector<std::string> tape_;
};

}  // namespace pellard
