#pragma once
// Label content: the ordered (caption, tag) entries from which a label's
// lines are composed out of a record's columns and separators.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// Tag 100 is the first column (its value alone); 110 to 240 are columns 2 to
// 15 (tag = 90 + 10 x column), each value followed by one space.
inline constexpr std::int32_t TagFirstColumn = 100;
inline constexpr std::int32_t TagLastColumn = 240;
inline constexpr std::int32_t TagSpace = 1000;
inline constexpr std::int32_t TagComma = 1100;
inline constexpr std::int32_t TagNewLine = 1200;
inline constexpr int MaxLabelColumns = 15;

struct LabelEntry {
    std::string caption;
    std::int32_t tag = 0;
    bool operator==(const LabelEntry&) const = default;
};

// The tag of column `column` (0-based), and the column of a column tag (-1
// for separators and unknown tags).
std::int32_t ColumnTag(int column);
int TagColumn(std::int32_t tag);

// The entry menu: one entry per heading (at most MaxLabelColumns, in column
// order, captioned with the heading), then "Space", "Comma", "New Line".
std::vector<LabelEntry> LabelMenuEntries(const std::vector<std::string>& headings);

// The lines of one label: each entry's text appended to the current line,
// "New Line" starting the next. `value(column)` gives the record's value of
// a 0-based column ("" past its columns). Empty content gives one empty line.
std::vector<std::string> GenerateLabelText(const std::vector<LabelEntry>& entries,
                                           const std::function<std::string(int column)>& value);

// Point size of a font size text: a whole number, else 10. Sizes no printer
// could draw are taken as 10 as well.
int LabelFontPoints(std::string_view sizeText);

}  // namespace brenvik
