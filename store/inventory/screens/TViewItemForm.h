#pragma once
// The view dialog: an inventory item's details and its history. The history
// edits reach the item only through "OK"; stock changes made with "Add"
// take effect at once.
#include "store/core/stringtable.h"

#include <QDialog>

class QLineEdit;
class QTabWidget;
class QTableView;

namespace brenvik {

class ItemDetailsGrid;
class StringTableModel;
class InventoryHost;

class TViewItemForm : public QDialog {
    Q_OBJECT
public:
    // Works on list item `item` of the inventory window.
    TViewItemForm(InventoryHost& view, int item, QWidget* parent = nullptr);
    ~TViewItemForm() override;

    ItemDetailsGrid* EditGrid() const { return grid_; }
    QTableView* DirGridView() const { return dirView_; }
    brenvik::StringTable& DirGrid() { return dir_; }
    QTabWidget* Pages() const { return pages_; }

    void FormShow();
    void SaveChanges();
    void OKBtnClick();
    void PrintBarcodeBtnClick();
    void AddHistoryBtnClick();
    void EditHistoryBtnClick();
    void ClearHistoryBtnClick();
    void HistoryReportBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    InventoryHost& view_;
    int item_;
    bool filled_ = false;
    ItemDetailsGrid* grid_ = nullptr;
    QLineEdit* name_ = nullptr;
    QTabWidget* pages_ = nullptr;
    brenvik::StringTable dir_;
    StringTableModel* dirModel_ = nullptr;
    QTableView* dirView_ = nullptr;
};

}  // namespace brenvik
