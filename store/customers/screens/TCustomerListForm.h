#pragma once
// The customer list screen ("Customer List"): a working copy of the customer
// table with check marks, written back into the table when the screen closes.
#include "store/customers/customers.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <string>

class QPushButton;
class QTableView;

namespace brenvik {

class Store;
// The list of customers: one row per customer, one column per table column,
// a check box in column 0.
class CustomerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CustomerListModel(brenvik::CustomerList& list, QObject* parent = nullptr)
        : QAbstractTableModel(parent), list_(list) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tell the views that the list changed under them.
    void Reset();
    void RowChanged(int item);

private:
    brenvik::CustomerList& list_;
};

class TCustomerListForm : public QDialog {
    Q_OBJECT
public:
    // Works on `customerData` (the store's customer table); the data folder
    // is where the export dialog hands its table to the analyzer.
    TCustomerListForm(brenvik::StringTable& customerData, std::string dataFolder,
                      QWidget* parent = nullptr);

    brenvik::CustomerList& List() { return list_; }
    QTableView* CustomerList() const { return view_; }
    int Selected() const;   // -1 when no row is selected
    void Select(int item);  // -1 clears the selection

    // Handlers.
    void AddItemsBtnClick();
    void ViewSelectedBtnClick();  // also a double click on the list
    void RemoveSelectedBtnClick();
    void PreviousRecordBtnClick();
    void NextRecordBtnClick();
    void PreviousSearchRecordBtnClick();
    void NextSearchRecordBtnClick();
    void CopyBtnClick();
    void PasteBtnClick();
    void MoveUpBtnClick();
    void MoveDownBtnClick();
    void SearchBtnClick();
    void ExportBtnClick();  // pops up "Export All" / "Export Checked"
    void ExportAll1Click();
    void ExportChecked1Click();
    void PrintBtnClick();
    void EmailBtnClick();

    // Copies the list into the customer table.
    void ListToGrid();

    void done(int result) override;

private:
    // Opens the customer dialog on `item`; true when it ended with OK.
    bool EditCustomer(int item);
    void Move(bool up);

    brenvik::StringTable& customerData_;
    std::string dataFolder_;
    brenvik::CustomerList list_;
    CustomerListModel* model_ = nullptr;
    QTableView* view_ = nullptr;
};

// The main menu's "Customer List" (and the point of sale's customer buttons).
void OpenCustomerList(brenvik::Store& store, QWidget* parent = nullptr);

}  // namespace brenvik
