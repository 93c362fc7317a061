#pragma once
// The details table of the add and view dialogs: one inventory field per
// row, with the editing rules of each kind of field: dates from a menu and a
// calendar, bar codes through the bar code entry, choice lists on the right
// button, and no typing into dates, bar codes, web ids or computed fields.
#include "store/core/fields.h"
#include "store/inventory/screens/ClickGrid.h"

#include <functional>
#include <string>
#include <vector>

namespace brenvik {

class ItemDetailsGrid : public ClickGrid {
    Q_OBJECT
public:
    explicit ItemDetailsGrid(QWidget* parent = nullptr);

    // One row per field: its name and the item's value.
    void FillItem(const std::vector<brenvik::FieldData>& fields,
                  const std::vector<std::string>& values);

    // The bar codes the bar code entry checks a new code against.
    std::function<std::vector<std::string>()> InventoryBarCodes;

    // What a press on a row does (GridMouseDown / ProcessField).
    void ProcessField(int row, Qt::MouseButton button, const QPoint& globalPos);

private:
    void SetDate1Click(int row, const QPoint& globalPos);
    std::vector<brenvik::FieldData> fields_;
};

}  // namespace brenvik
