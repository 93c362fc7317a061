#pragma once
// Where labels go: positions on the sheets for a run of labels from a start
// position, and the barcode picture's place inside a label.
#include "store/labels/labelsheets.h"

#include <vector>

namespace brenvik {

// The sheet position of the first label, 1-based, from the start column and
// row (each kept within the type's columns and rows).
int StartPosition(const LabelSheetType& type, int column, int row);

struct PlacedLabel {
    int page = 0;  // 0-based
    int job = 0;   // index into the run of labels
    LengthRect box;
};

// The run's `count` labels laid out from the sheet position `start`: each
// row from left to right, the rows from top to bottom, a new page when a
// sheet is full. Positions before `start` on the first page stay blank.
std::vector<PlacedLabel> PlaceLabels(const LabelSheetType& type, int start, int count);
// The number of pages PlaceLabels needs (0 for no labels).
int LabelPageCount(const LabelSheetType& type, int start, int count);

// The label less 10 % of its width at each side and 15 % of its height at
// the top and the bottom.
LengthRect BarcodeArea(const LengthRect& label);

// A picture of `width` x `height` units fitted into `area` keeping its
// proportions, at the area's top-left corner: a wide picture takes the
// area's width unless it would then be too high; a tall one the other way.
LengthRect FitPicture(const LengthRect& area, double width, double height);

}  // namespace brenvik
