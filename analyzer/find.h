#pragma once
// Find in the view: a search position that walks the view cell by cell, along
// a row and then on to the next row in the chosen direction, and stops at the
// first cell that holds (or is, with "whole word") the search text. There is
// no wrap-around: a search that runs off the first or last data row fails.
#include <optional>
#include <string>
#include <string_view>

namespace pellard {

struct FindOptions {
    std::string text;
    bool down = true;
    bool wholeWord = false;  // the cell must equal the text
    bool matchCase = false;  // otherwise letters A to Z compare lower-cased
};

struct CellPos {
    int col = 0;
    int row = 0;
    bool operator==(const CellPos&) const = default;
};

// Whether a cell matches the options' text.
bool CellMatches(std::string_view cell, const FindOptions& options);

class ViewSearch {
public:
    // The find dialog opens over the view's current cell (a row before 1
    // means there is none). Returns the row the view's current row moves to
    // when it lay before the first data row.
    std::optional<int> Start(int currentCol, int currentRow);

    // The next match from the search position over a view of `cols` columns
    // and `dataRows` data rows (rows 1..dataRows). `cell(col, row)` gives a
    // cell's text. On a match the position moves one cell past it.
    template <class CellFn>
    std::optional<CellPos> Next(const FindOptions& options, int cols, int dataRows, CellFn&& cell);

    bool Found() const { return found_; }
    CellPos Position() const { return pos_; }
    // The dialog closed.
    void Close() { found_ = false; }

private:
    CellPos pos_{0, 1};
    bool found_ = false;
};

template <class CellFn>
std::optional<CellPos> ViewSearch::Next(const FindOptions& options, int cols, int dataRows,
                                        CellFn&& cell) {
    found_ = false;
    if (dataRows < 1 || cols < 1) return std::nullopt;
    const int dir = options.down ? 1 : -1;
    if (options.down && pos_.col >= cols) {
        pos_.col = 0;
        ++pos_.row;
    } else if (!options.down && pos_.col < 0) {
        pos_.col = cols - 1;
        --pos_.row;
    }
    int col = pos_.col, row = pos_.row;
    while (row >= 1 && row <= dataRows) {
        // A position left beyond the row by a search the other way tests
        // nothing there and goes on from the row's edge.
        for (; col >= 0 && col < cols; col += dir) {
            if (CellMatches(cell(col, row), options)) {
                found_ = true;
                pos_ = {col + dir, row};
                return CellPos{col, row};
            }
        }
        if (options.down && col < 0) col = 0;
        else if (!options.down && col >= cols) col = cols - 1;
        else {
            row += dir;
            col = options.down ? 0 : cols - 1;
        }
    }
    pos_ = {col, row};
    return std::nullopt;
}

}  // namespace pellard
