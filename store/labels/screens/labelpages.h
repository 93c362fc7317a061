#pragma once
// Label pages for the page engine: runs of labels on their sheets, with the
// on-screen outlines of the positions, the text lines of each label and an
// optional picture below them, and the calibration page. Lengths become the
// engine's inches only here.
#include "store/labels/labellayout.h"
#include "store/labels/labeltext.h"
#include "ui/pageengine.h"

#include <QColor>
#include <QFont>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// How far the printer's output must be moved to land on the labels; applied
// to printed label pages only, never to the preview.
struct LabelCalibration {
    Length right, down;
};
// The current user's calibration (zero when none is stored or no platform runs).
LabelCalibration ReadLabelCalibration();
void WriteLabelCalibration(const LabelCalibration& calibration);

// Draws a picture stretched into a box given in inches.
using LabelPictureDrawer = std::function<void(ui::PageCanvas&, const QRectF& box)>;

struct LabelRun {
    const LabelSheetType* type = nullptr;         // nullptr: the first type
    int start = 1;                                // sheet position of the first label
    std::vector<std::vector<std::string>> texts;  // per label: its lines, store bytes
    QFont font;
    QColor color = Qt::black;
    bool wholeSheet = false;  // outline every position of the pages, not only those used
    // Drawn under the text of each label, fitted into the label's barcode
    // area (pictureWidth x pictureHeight keeping its proportions).
    LabelPictureDrawer picture;
    double pictureWidth = 257, pictureHeight = 49;
    LabelCalibration offset;
};

// The font of a label: "System" (and an empty name) is the desktop's
// default font; the size text as LabelFontPoints reads it.
QFont LabelFont(std::string_view name, std::string_view sizeText);

// A stored colour (0x00BBGGRR or a system colour); black when it names none.
QColor LabelColor(std::int32_t stored);

// Paper and orientation of the type; no margins or bands.
ui::PageSetup LabelPageSetup(const LabelSheetType& type);

// Clears `doc` and lays the run out on it.
void ComposeLabelPages(ui::PageDocument& doc, const LabelRun& run);

// One page with every label of the type outlined (printed), a millimetre
// ruler along the top and left edges and the calibration in use.
void ComposeCalibrationPage(ui::PageDocument& doc, const LabelSheetType& type,
                            const LabelCalibration& calibration);

}  // namespace brenvik
