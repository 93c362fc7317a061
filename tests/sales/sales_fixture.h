#pragma once
// A small store in a temporary folder for the sales tests.
#include "store/core/fields.h"
#include "store/inventory/store.h"
#include "support/testutil.h"

#include <string>

namespace salestest {

struct StoreFixture {
    test::TempFolder folder;
    brenvik::Store store{folder.Path()};

    StoreFixture() {
        brenvik::SetupInventoryGrid(store.Data);
        store.Histories.assign(1, {});
        brenvik::SetInvoiceGridFields(store.InvoiceGrid);
        store.InvoiceGrid.SetRowCount(2);
    }

    // Appends an item and returns its row.
    int AddItem(const std::string& name, const std::string& barcode, const std::string& price,
                const std::string& quantity) {
        const int row = store.AppendItem();
        Set(row, "Item", name);
        Set(row, "Bar Code", barcode);
        Set(row, "Sale Price", price);
        Set(row, "Quantity", quantity);
        return row;
    }
    void Set(int row, const std::string& field, const std::string& value) {
        store.Data.SetCell(brenvik::GridField(store.Data, field), row, value);
    }
    std::string Get(int row, const std::string& field) const {
        return store.Data.CellText(brenvik::GridField(store.Data, field), row);
    }
};

}  // namespace salestest
