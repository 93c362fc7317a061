#pragma once
// The import dialog ("Import Data"): a comma-separated or text file shown as
// a grid, a field assigned above each file column, and "Perform Import"
// adding one record per line to the inventory or the customer table.
#include "store/core/fields.h"
#include "store/core/stringtable.h"
#include "store/reports/import.h"

#include <QDialog>
#include <QPoint>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace brenvik {

class Store;
class StringTableModel;

class TImportForm : public QDialog {
    Q_OBJECT
public:
    // `target`: the table records go into (row 0 its field headings).
    // `histories`: given for the inventory, whose imported rows each get a
    // new, empty history.
    TImportForm(brenvik::StringTable& target, std::vector<brenvik::HistoryList>* histories,
                QWidget* parent = nullptr);

    QTableView* ImportGrid() const { return grid_; }
    const brenvik::ImportFile& File() const { return file_; }
    const std::vector<int>& Assignment() const { return assignment_; }
    bool Loaded() const { return loaded_; }
    QString StatusText() const;

    // Handlers.
    void FormActivate();
    void SelectImportFileBtnClick();
    // A click on a cell; row 0 is the assignment row (the grid's headings).
    void ImportGridClickCell(int col, int row, const QPoint& globalPos);
    // `item`: 0 "Not Assigned", k + 1 the field of target column k.
    void SelectField(int item);
    void TitlesBoxClick();
    void PerformImportBtnClick();
    void ClearImportBtnClick();
    void CloseImportDatabtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ClearImportGrid();
    void HeaderClick(int col);
    void AssignmentChanged();
    bool SkipFirstLine() const;

    brenvik::StringTable& target_;
    std::vector<brenvik::HistoryList>* histories_;
    brenvik::ImportFile file_;
    std::vector<int> assignment_;  // per file column: target column or kNotAssigned
    bool loaded_ = false;
    int menuColumn_ = -1;
    std::vector<std::string> fieldMenu_;  // captions: "Not Assigned", then the headings
    std::vector<bool> fieldMenuEnabled_;

    QTableView* grid_ = nullptr;
    StringTableModel* model_ = nullptr;
    QCheckBox* titlesBox_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* performBtn_ = nullptr;
};

// The main menu's import functions. Inventory: the store's Data must be
// current with the list; the caller recomputes the derived fields and
// refreshes the list afterwards.
void ImportCustomers(brenvik::Store& store, QWidget* parent = nullptr);
void ImportInventory(brenvik::Store& store, QWidget* parent = nullptr);

}  // namespace brenvik
