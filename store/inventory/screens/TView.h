#pragma once
// The inventory window, and the keeper of the store for the whole run: the
// inventory table with its histories, the customer table, the field list,
// the settings and the invoice table all live in its Store. Other screens
// reach them through it.
#include "store/inventory/screens/InventoryHost.h"
#include "store/inventory/screens/InventoryModel.h"
#include "store/inventory/store.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTreeView;
class QPushButton;
class QToolButton;

namespace brenvik {

class TView : public QDialog, public InventoryHost {
    Q_OBJECT
public:
    explicit TView(const std::string& dataFolder, QWidget* parent = nullptr);
    ~TView() override;

    brenvik::Store& GetStore() override { return *store_; }
    QTreeView* Inventory() const { return inventory_; }
    InventoryModel& Model() const { return *model_; }

    // Loads the store the first time it runs; later calls do nothing.
    // Tables that cannot be read are reported once and stay empty.
    void FormActivate();
    bool Loaded() const { return !firstTime_; }

    // ---- shared operations; items count from 0 (item k is table row k + 1)
    // Brings the inventory table up to date with the list.
    void ListToGrid() override;
    void RefreshItem(int item) override { model_->RefreshItem(item); }
    // Redraws the list from the inventory table (rebuilt when the number of
    // items changed).
    void GridToList();
    void SaveCheckState();
    void LoadCheckState();
    // The item's quantity minus / plus `amount`, as a whole number.
    void UpdateQuantity(int item, std::string_view amount) override;
    void AddQuantity(int item, std::string_view amount) override;
    bool ItemChecked(int item) const override { return model_->IsChecked(item); }
    void ComputeDerivedFields();

    int SelectedItem() const;   // -1 when none
    void SelectItem(int item);  // -1 clears the selection

    // Saves the inventory, customers, histories and settings (window close).
    // Shows the error and returns false when a file cannot be written.
    bool FormClose();

    // Opens the item view dialog on an item; true when it ended with OK.
    bool ViewItem(int item);
    // The search form over the list and the inventory table (which the caller
    // has made current), opening the item view on the picked item.
    void SearchInventory();

    // ---- handlers
    void AddBtnClick();
    void RemoveSelectedBtnClick();
    void InventoryDblClick();
    void ViewSelectedBtnClick();
    void SearchBtnClick();
    void AnalyzeBtnClick();
    void GenerateBarcodeBtnClick();
    void OKBtnClick();
    void PreviousRecordBtnClick();
    void NextRecordBtnClick();
    void PreviousSearchRecordBtnClick();
    void NextSearchRecordBtnClick();
    void QuickFindBtnClick();
    void CopyBtnClick();
    void PasteBtnClick();
    void MoveUpBtnClick();
    void MoveDownBtnClick();
    void InventoryColumnClick(int column);

    // Functions of the main menu carried out by the store.
    void SetNextInvoiceNumber1Click();
    void SetInvoiceFont1Click();
    void GenerateInvoiceClick();  // point of sale
    void ViewList1Click();        // customer list
    void ImportCustomers1Click();
    void ImportInventoryItems1Click();
    void Export1Click();
    void ExportSelected1Click();
    void ExportBtnClick();  // export of the invoice history

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Move(int step);
    QToolButton* AddPicture(const QString& name, const QString& text, const QString& tip);

    std::unique_ptr<brenvik::Store> store_;
    InventoryModel* model_ = nullptr;
    QTreeView* inventory_ = nullptr;
    bool firstTime_ = true;

    // Copy buffer: the copied item's values and history.
    std::optional<std::vector<std::string>> copyValues_;
    brenvik::HistoryList copyHistory_;
    // Check marks saved around a reorder.
    std::vector<bool> checkState_;

    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

}  // namespace brenvik
