#pragma once
// The line editor of the point of sale: one sale or refund line (item, bar
// code, price, quantity, discount, total), filled from the inventory by a
// scanned bar code or by a search on any field.
#include "store/core/stringtable.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

namespace brenvik {

class ClickGrid;

class TEditItemForm : public QDialog {
    Q_OBJECT
public:
    // `line` holds the six values (caption and five sub-values); "OK" writes
    // them back. `data` is the inventory table, current with the list.
    TEditItemForm(const brenvik::StringTable& data, std::vector<std::string>& line,
                  QWidget* parent = nullptr);

    ClickGrid* EditGrid() const { return grid_; }

    void FormShow();
    void ScanBtnClick();
    void FindBtnClick();
    // The find on inventory column `column`.
    void FindColumn(int column);
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillFromRecord(int row, const std::string& barcode);

    const brenvik::StringTable& data_;
    std::vector<std::string>& line_;
    bool filled_ = false;
    ClickGrid* grid_ = nullptr;
};

// The pick list of the line editor's find: one line per matching item.
class TFindResultsForm : public QDialog {
    Q_OBJECT
public:
    explicit TFindResultsForm(const QStringList& lines, QWidget* parent = nullptr);
    QListWidget* Results() const { return list_; }
    int Chosen() const;  // -1 when none

private:
    QListWidget* list_ = nullptr;
};

}  // namespace brenvik
