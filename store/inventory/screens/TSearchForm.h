#pragma once
// The search form: criteria per field over the inventory or the customer
// list; the records found get a check mark in the list, and one of them can
// be picked.
#include "store/core/fields.h"
#include "store/core/stringtable.h"
#include "store/inventory/search.h"

#include <QDialog>

#include <functional>
#include <vector>

class QAbstractItemView;
class QCheckBox;
class QListWidget;
class QTableWidget;

namespace brenvik {

enum class SearchMode { Inventory, Customer };

class TSearchForm : public QDialog {
    Q_OBJECT
public:
    // `list` shows the records (item k - 1 is table row k; check marks in
    // column 0 as Qt::CheckStateRole); `table` is current with the list.
    // `fields` is the inventory field list (inventory mode only).
    TSearchForm(QAbstractItemView& list, const brenvik::StringTable& table, SearchMode mode,
                const std::vector<brenvik::FieldData>* fields, const QString& caption,
                QWidget* parent = nullptr);

    // Opens the item view dialog on a picked inventory item (list item index).
    std::function<void(int item)> OpenItemView;

    QTableWidget* SearchGrid() const { return grid_; }
    QCheckBox* DisplayEntireSearchList() const { return displayAll_; }
    // The criteria typed into the grid, one per list column.
    std::vector<brenvik::SearchCriterion> Criteria() const;
    brenvik::SearchKind Kind(int row) const;

    // Handlers. `row` counts the criteria rows from 0.
    void SetSearchKinds();
    void SearchGridMouseDown(int row, int column, const QPoint& globalPos);
    void SearchBtnClick();
    void NewSearchBtnClick();
    void ClearBtnClick();
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);
    bool IsChecked(int item) const;
    void SetChecked(int item);
    // The pick dialog over the results; the chosen item or -1.
    int PickResult(const std::vector<int>& items);

    QAbstractItemView& list_;
    const brenvik::StringTable& table_;
    SearchMode mode_;
    const std::vector<brenvik::FieldData>* fields_;
    QTableWidget* grid_ = nullptr;
    QCheckBox* displayAll_ = nullptr;
    std::vector<brenvik::SearchKind> kinds_;
};

// The pick dialog of the search ("Search Results"): one line per result.
class TSearchResultsForm : public QDialog {
    Q_OBJECT
public:
    TSearchResultsForm(const QStringList& lines, QWidget* parent = nullptr);
    class QListWidget* Results() const {
        return list_;
    }
    int Chosen() const;  // index of the chosen line, -1 when none

private:
    class QListWidget* list_ = nullptr;
};

}  // namespace brenvik
