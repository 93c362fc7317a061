#pragma once
// A small table for the export tests: headings, a row with a comma in a
// cell, a row with an empty cell.
#include "store/core/stringtable.h"

inline brenvik::StringTable Sample() {
    brenvik::StringTable t;
    t.SetSize(3, 3);
    const char* cells[3][3] = {
        {"Item", "Price", "Note"}, {"Pen", "1.50", "blue, fine"}, {"Ink", "", "x"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) t.SetCell(c, r, cells[r][c]);
    return t;
}
