#pragma once
// The add dialog: fills in a new inventory item, with an automatic bar code
// number on request.
#include "store/inventory/store.h"

#include <QDialog>

class QCheckBox;

namespace brenvik {

class ItemDetailsGrid;

class TAddInventoryForm : public QDialog {
    Q_OBJECT
public:
    // Works on inventory table row `row` of `store`.
    TAddInventoryForm(brenvik::Store& store, int row, QWidget* parent = nullptr);

    ItemDetailsGrid* EditGrid() const { return grid_; }
    QCheckBox* AutoAssignBarcode() const { return auto_; }

    void FormShow();
    void AutoAssignBarcodeClick();
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    brenvik::Store& store_;
    int row_;
    bool filled_ = false;
    ItemDetailsGrid* grid_ = nullptr;
    QCheckBox* auto_ = nullptr;
};

}  // namespace brenvik
