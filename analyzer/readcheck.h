#pragma once
// What a loaded file holds that the analysis cannot read: per field in use,
// the values that are not numbers (or, for the date field, not dates).
#include "analyzer/logview.h"

#include <cstddef>
#include <string>
#include <vector>

namespace pellard {

struct UnreadValues {
    std::string field;   // the field's name
    bool dates = false;  // dates rather than numbers
    std::size_t count = 0;
    std::string first;  // the first such value, as the file holds it
    int row = 0;        // and its transaction row (1 for the first)
};

// For each of `numberFields` the non-empty values that do not read as
// numbers, and for `dateField` (-1 for none) those that do not read as dates
// in the file's date format. Fields where everything reads are left out.
std::vector<UnreadValues> UnreadableValues(const LogBase& base,
                                           const std::vector<int>& numberFields, int dateField);

// `Gross: 12 values do not read as numbers (first: "USD 3", row 17)`
std::string UnreadText(const UnreadValues& u);

}  // namespace pellard
