#pragma once
// The barcode label window ("Print Barcode"): one label of a sheet for the
// item whose bar code is being edited, with lines of item text and the
// barcode below them. Opened without blocking by the barcode dialog, it
// reads that dialog's label type, position and barcode whenever it becomes
// active, and closes together with it. Its content and font live on in
// "labset.set" in the data folder.
#include "store/core/stringtable.h"
#include "store/labels/labeldata.h"
#include "store/labels/screens/LabelControls.h"
#include "store/labels/screens/labelpages.h"

#include <QDialog>
#include <QWidget>

#include <functional>
#include <string>

class QTabWidget;

namespace brenvik {

// What the window reads from the barcode dialog.
struct BarcodeLabelInput {
    std::string labelType;  // "Label Type"; an unknown name means the first type
    int printColumn = 1;
    int printRow = 1;
    std::string symbology;  // the symbology's name as the dialog lists it
    std::string value;      // the bar code value being edited
    bool checksum = false;  // add the optional check digit
};
using BarcodeLabelState = std::function<BarcodeLabelInput()>;

// The lines of an inventory row's label.
std::vector<std::string> ItemLabelText(const StringTable& inventory, int row,
                                       const std::vector<LabelEntry>& entries);
// Draws the input's barcode from the encoder's bars, stretched into a box;
// empty when the value cannot be encoded in that symbology.
LabelPictureDrawer BarcodeDrawer(const BarcodeLabelInput& input);
// The label run the window shows and prints: one sheet, only position P
// (from the print column and row) filled.
LabelRun BarcodeLabelRun(const BarcodeLabelInput& input, std::vector<std::string> lines,
                         const QFont& font, const QColor& color);
// The layout kept in "labset.set" of `folder`, read as the window does (a
// missing or damaged file gives what could be read).
LabelLayout LoadLabelSettings(const std::string& folder);

class TRTFForm : public QWidget {
    Q_OBJECT
public:
    // `inventory` (the inventory table, row 0 headings) must outlive the
    // window; `row` is the item's row in it.
    TRTFForm(const StringTable& inventory, std::string dataFolder, int row, BarcodeLabelState state,
             QWidget* owner);
    ~TRTFForm() override;

    // Handlers.
    void FormActivate();
    void ImageBookChange();
    void BitBtn1Click();  // "Print"
    void BitBtn2Click();  // "Printer Setup"
    void OKButtonClick();
    void LoadLabelInfo();
    void SaveLabelInfo();  // shows a failure once

    // Rebuilds the preview page (SetLabelSetup).
    void SetLabelSetup();

    LabelContentBox& Content() { return *content_; }
    LabelFontBox& FontControls() { return *font_; }
    LabelPreviewPage& Pages() { return *pages_; }
    LabelRun CurrentRun() const;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    const StringTable& inventory_;
    std::string folder_;
    int row_;
    BarcodeLabelState state_;
    bool opened_ = false;
    bool saved_ = false;

    LabelContentBox* content_ = nullptr;
    LabelFontBox* font_ = nullptr;
    QTabWidget* book_ = nullptr;
    LabelPreviewPage* pages_ = nullptr;
};

// "Print Barcode" of the barcode dialog: opens the barcode label window for
// `row` of `inventory`, or brings up the one that is open. The window
// closes when `barcodeDialog` finishes or goes away; `state` is asked for
// the dialog's current choices and must stay callable while the dialog lives.
TRTFForm& OpenBarcodeLabelWindow(QDialog& barcodeDialog, const StringTable& inventory,
                                 const std::string& dataFolder, int row, BarcodeLabelState state);

}  // namespace brenvik
