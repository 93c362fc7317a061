#pragma once
// The entry editor of an item's history: the six values of one row of the
// history table, with the date from a calendar (or today on the right
// button) and the activity from a menu.
#include "store/core/stringtable.h"

#include <QDialog>

namespace brenvik {

class ClickGrid;

class TEditSaleForm : public QDialog {
    Q_OBJECT
public:
    TEditSaleForm(brenvik::StringTable& dir, int row, QWidget* parent = nullptr);

    ClickGrid* EditGrid() const { return grid_; }

    void FormShow();
    void EditGridMouseDown(int row, Qt::MouseButton button, const QPoint& globalPos);
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    brenvik::StringTable& dir_;
    int row_;
    bool filled_ = false;
    ClickGrid* grid_ = nullptr;
};

}  // namespace brenvik
