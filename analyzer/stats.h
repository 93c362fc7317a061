#pragma once
// Statistics: the field set (which fields get figures, in which order), the
// four figures of a list of texts (sum and mean of the valid numbers, high and
// low of all numeric values) and the statistics table of a view.
#include "analyzer/logview.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellard {

// The four figures, already formatted.
struct Figures {
    std::string sum, mean, high, low;
};

// Running figures over numeric values: sums in 80-bit precision, high and
// low changed only by a strictly larger (smaller) value.
class FigureAccumulator {
public:
    explicit FigureAccumulator(bool absolute) : absolute_(absolute) {}
    void Add(const Number& n);
    std::size_t Count() const { return count_; }
    // Nothing when no value was added or a value did not fit.
    std::optional<Figures> Result() const;

private:
    bool absolute_;
    long double sum_ = 0;
    double high_ = 0, low_ = 0;
    std::size_t count_ = 0;
    bool failed_ = false;
};

// The figures of the cells of one field over the view's rows.
std::optional<Figures> FieldFigures(const LogView& view, int field, bool absolute);
// The figures of a list of texts (non-empty).
std::optional<Figures> ListFigures(const std::vector<std::string>& texts, bool absolute);
// Single figures of a list, "" when the list is empty or a value overflows.
std::string GetSumFromList(const std::vector<std::string>& texts, bool absolute);
std::string GetMeanFromList(const std::vector<std::string>& texts, bool absolute);
std::string GetHighFromList(const std::vector<std::string>& texts, bool absolute);
std::string GetLowFromList(const std::vector<std::string>& texts, bool absolute);

// The default field set: every field, checked when its name contains
// "gross", "fee" or "net".
std::vector<FieldEntry> DefaultStatisticsFields(const LogBase& base);

// One row of the statistics table: the field's name and index, and its
// figures (empty when the view has no rows or a computation failed).
struct StatRow {
    std::string name;
    int field = 0;
    std::string sum, mean, high, low;
};
std::vector<StatRow> CalculateStats(const LogView& view, const std::vector<FieldEntry>& fields,
                                    bool absolute);
// The statistics table as a string table: header row and one row per
// statistics row (each row's tag in column 0 is its field index).
brenvik::StringTable StatTable(const std::vector<StatRow>& rows);

}  // namespace pellard
