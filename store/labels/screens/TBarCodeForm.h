#pragma once
// The barcode dialog ("Generate Barcode"): gives an inventory item a bar
// code value, draws it in a chosen symbology and hands it to the barcode
// label window. The item's field changes only when the dialog ends with OK.
#include "store/labels/barcode.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace brenvik {

class InventoryHost;

// The 257 x 49 picture of a drawing, pure black on white.
QImage BarcodePicture(const BarcodeResult& result);

class TBarCodeForm : public QDialog {
    Q_OBJECT
public:
    // `item`: the item's position in the inventory list; `initialValue` its
    // bar code; `otherBarCodes` the bar codes of every other item, against
    // which a new value must be unique.
    TBarCodeForm(int item, std::string initialValue, std::vector<std::string> otherBarCodes,
                 QWidget* parent = nullptr);

    // "Print Barcode" hands over here once the value is set: the caller
    // opens the barcode label window on this dialog.
    std::function<void(TBarCodeForm&)> OpenLabelWindow;

    // ---- what the caller and the label window read
    int ItemIndex() const { return item_; }
    const std::string& InitialValue() const { return initial_; }
    const std::string& Value() const { return value_; }  // "Numeric Value"
    std::string Symbology() const;                       // "Barcode Type" as shown
    bool ChecksumOn() const;                             // "Checksum" Yes with method "csmModulo10"
    const BarcodeResult& Drawing() const { return drawing_; }
    const QImage& Picture() const { return picture_; }  // "Image"
    std::string TemplateName() const;
    int PrintColumn() const;
    int PrintColumnMax() const;
    int PrintRow() const;
    int PrintRowMax() const;

    // ---- handlers
    void FormActivate();
    void LoadLabelInfo();
    void BarCodeScanbtnClick();  // "Enter Barcode"
    void BarCodeValueClick();
    void GenerateBarCodeBtnClick();
    void PrintBarCodeBtnClick();
    void OKBtnClick();
    // Draws `value` (a blank picture for an empty one); an error is shown.
    void DisplayBarcode(const std::string& value);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetValue(const std::string& value);

    int item_;
    std::string initial_;
    std::string value_;
    std::vector<std::string> others_;
    bool activated_ = false;
    BarcodeResult drawing_;
    QImage picture_;

    QLineEdit* valueEdit_ = nullptr;
    QCheckBox* unique_ = nullptr;
    QComboBox* type_ = nullptr;
    QComboBox* checksum_ = nullptr;
    QComboBox* method_ = nullptr;
    QLabel* image_ = nullptr;
    QComboBox* templates_ = nullptr;
    QSpinBox* column_ = nullptr;
    QSpinBox* row_ = nullptr;
};

// Both "Print Barcode" buttons of the inventory: the dialog on list item
// `item` of the host's store, shown modally; on OK its value is stored in
// the item's "bar code" field and returned.
std::optional<std::string> EditItemBarcode(InventoryHost& host, int item, QWidget* parent);

}  // namespace brenvik
