#pragma once
// The customer dialog ("Add Customer"), used to add and to edit a customer:
// one row per field, the field names fixed, the values editable.
#include <QDialog>

#include <string>
#include <vector>

class QTableWidget;

namespace brenvik {

class TAddCustomerForm : public QDialog {
    Q_OBJECT
public:
    // `names` are the list's column captions, `values` the row's values.
    // A first field named "Date Added" is set to today.
    TAddCustomerForm(const std::vector<std::string>& names, const std::vector<std::string>& values,
                     QWidget* parent = nullptr);

    // The second column, one value per field (what OK hands back).
    std::vector<std::string> Values() const;
    QTableWidget* EditGrid() const { return grid_; }

    void OKBtnClick();
    void CancelBtnClick();

private:
    QTableWidget* grid_ = nullptr;
};

}  // namespace brenvik
