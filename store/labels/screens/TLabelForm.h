#pragma once
// The label dialog ("Generate Labels"): label content from customer columns
// and separators, font, label type, start position and which customers,
// the preview pages, printing, and label data files.
#include "store/customers/customers.h"
#include "store/labels/customerlabels.h"
#include "store/labels/labeldata.h"
#include "store/labels/screens/LabelControls.h"
#include "store/labels/screens/labelpages.h"

#include <QDialog>
#include <QPrinter>

#include <string>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace brenvik {

class TLabelForm : public QDialog {
    Q_OBJECT
public:
    // Headings and values come from `list`; `selected` is its selected item
    // (-1 for none). Both must outlive the dialog.
    TLabelForm(const CustomerList& list, int selected, QWidget* parent = nullptr);
    ~TLabelForm() override;

    // Handlers (the content list's and the font's are theirs).
    void FormActivate();
    void SelectTemplateListChange();
    void ImageBookChange();
    void PrintBtnClick();
    void BitBtn2Click();  // printer setup
    void SaveLabelsBtnClick();
    void LoadLabelsBtnClick();
    void CalibrateBtnClick();
    void OKButtonClick();

    // Rebuilds the preview pages (SetLabelSetup).
    void SetLabelSetup();

    // The current layout (font, label type text, content entries).
    LabelLayout Layout() const;
    LabelContentBox& Content() { return *content_; }
    LabelFontBox& FontControls() { return *font_; }
    LabelRecordMode Mode() const;
    LabelPreviewPage& Pages() { return *pages_; }
    // The label texts of the current choice, and the run the preview shows.
    LabelRun CurrentRun() const;

private:
    void RefreshLabelPreview();
    void ApplyType(bool resetStart);

    const CustomerList& list_;
    int selected_;

    LabelContentBox* content_ = nullptr;
    LabelFontBox* font_ = nullptr;
    QComboBox* templates_ = nullptr;
    QSpinBox* column_ = nullptr;
    QSpinBox* row_ = nullptr;
    QRadioButton* current_ = nullptr;
    QRadioButton* all_ = nullptr;
    QRadioButton* checked_ = nullptr;
    QTabWidget* book_ = nullptr;
    QPlainTextEdit* labelPreview_ = nullptr;
    LabelPreviewPage* pages_ = nullptr;
    bool loading_ = false;
};

// The printer calibration dialog: the current user's offsets in
// millimetres, and a one-page calibration print for a label type.
class TLabelCalibrationForm : public QDialog {
    Q_OBJECT
public:
    TLabelCalibrationForm(const LabelSheetType& type, QPrinter& printer, QWidget* parent = nullptr);
    LabelCalibration Calibration() const;
    void PrintTestBtnClick();
    void accept() override;  // stores the offsets

private:
    const LabelSheetType& type_;
    QPrinter& printer_;
    QDoubleSpinBox* right_ = nullptr;
    QDoubleSpinBox* down_ = nullptr;
};

// The customer list's print button: the label dialog, modal.
void OpenLabelForm(const CustomerList& list, int selected, QWidget* parent);

}  // namespace brenvik
