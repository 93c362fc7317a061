#pragma once
// The store program as it starts, for screen tests: the main menu owning the
// inventory and invoice history windows, opened on a data folder.
#include "store/core/screens/TMenuForm.h"
#include "store/inventory/screens/TView.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"

#include <memory>
#include <string>

namespace test {

struct Program {
    std::unique_ptr<brenvik::TMenuForm> menu = std::make_unique<brenvik::TMenuForm>();
    brenvik::TView* view;
    brenvik::TInvoiceHistoryForm* invoices;

    explicit Program(const std::string& folder) {
        view = new brenvik::TView(folder, menu.get());
        invoices = new brenvik::TInvoiceHistoryForm(view->GetStore(), menu.get());
        menu->SetWindows(view, invoices);
        menu->FormActivate();
    }
    brenvik::Store& Store() { return view->GetStore(); }
    int Items() { return view->Model().ItemCount(); }
    // The text of an item's cell (items count from 0 below the heading row).
    std::string Value(int item, int column) { return Store().Data.CellText(column, item + 1); }
};

}  // namespace test
