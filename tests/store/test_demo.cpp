// The sample store written by `brenvik-data demo` opens in the store program.
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include "store/core/screens/TMenuForm.h"
#include "store/inventory/screens/TView.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

using namespace brenvik;

TEST(SampleStore, OpensWithItemsCustomersAndInvoices) {
    const std::string tool = test::ToolsDir() + "/brenvik-data";
    if (!std::filesystem::exists(tool)) GTEST_SKIP() << "brenvik-data is not built";
    test::TempFolder dir;
    const std::string folder = dir.Path() + "sample";
    ASSERT_EQ(std::system((tool + " demo " + folder + " >/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " demo " + folder + " 2>/dev/null").c_str()),
              0);  // never over a store

    test::ScriptedPlatform ui;  // any error while loading fails the test
    TMenuForm menu;
    auto* view = new TView(folder, &menu);
    auto* invoices = new TInvoiceHistoryForm(view->GetStore(), &menu);
    menu.SetWindows(view, invoices);
    menu.FormActivate();
    brenvik::Store& store = view->GetStore();
    EXPECT_EQ(store.ItemCount(), 40);
    EXPECT_EQ(store.CustomerData.RowCount(), 26);
    EXPECT_EQ(store.InvoiceGrid.RowCount(), 61);

    // Every sale in the invoice table shows in the histories of its items.
    int sales = 0, historySales = 0;
    for (int r = 1; r < store.InvoiceGrid.RowCount(); ++r)
        if (store.InvoiceGrid.Cell(1, r).substr(0, 1) != "R") ++sales;
    std::set<std::string> numbers;
    for (int row = 1; row <= store.ItemCount(); ++row) {
        const auto& h = store.History(row);
        ASSERT_EQ(h.size() % 6, 0u);
        for (std::size_t i = 1; i < h.size(); i += 6)
            if (h[i] == "Invoice Sale") numbers.insert(h[i + 1]), ++historySales;
    }
    EXPECT_EQ(static_cast<int>(numbers.size()), sales);
    EXPECT_GE(historySales, sales);
    EXPECT_EQ(store.Values.nextInvoice, std::to_string(1001 + sales));
    ASSERT_TRUE(menu.FormClose());
}
