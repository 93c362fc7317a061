#include "analyzer/find.h"

namespace pellard {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameAt(std::string_view hay, std::size_t at, std::string_view needle, bool matchCase) {
    for (std::size_t i = 0; i < needle.size(); ++i) {
        char a = hay[at + i], b = needle[i];
        if (!matchCase) {
            a = Lower(a);
            b = Lower(b);
        }
        if (a != b) return false;
    }
    return true;
}

}  // namespace

bool CellMatches(std::string_view cell, const FindOptions& options) {
    std::string_view needle = options.text;
    if (options.wholeWord)
        return cell.size() == needle.size() && SameAt(cell, 0, needle, options.matchCase);
    if (needle.size() > cell.size()) return false;
    if (options.matchCase) return cell.find(needle) != std::string_view::npos;
    for (std::size_t at = 0; at + needle.size() <= cell.size(); ++at)
        if (SameAt(cell, at, needle, false)) return true;
    return false;
}

std::optional<int> ViewSearch::Start(int currentCol, int currentRow) {
    found_ = false;
    if (currentRow < 1) {
        // No current data row: the search starts on the first one, where the
        // view's current row is put too.
        pos_ = {currentCol < 0 ? 0 : currentCol, 1};
        return 1;
    }
    pos_ = {currentCol < 0 ? 0 : currentCol, currentRow};
    return std::nullopt;
}

}  // namespace pellard
