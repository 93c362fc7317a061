// The item dialogs' value editing and the point of sale's line editor.
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include "store/core/datetext.h"
#include "store/inventory/screens/ClickGrid.h"
#include "store/inventory/screens/ItemDetailsGrid.h"
#include "store/inventory/screens/TAddInventoryForm.h"
#include "store/inventory/screens/TEditItemForm.h"
#include "store/inventory/store.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace brenvik;

using test::ScriptedPlatform;

namespace {

constexpr int kDate = 0, kItem = 1, kBarCode = 2, kType = 3, kSupplier = 8, kWebId = 10,
              kTotalSold = 12;

brenvik::Store SampleStore() {
    brenvik::Store store("/nonexistent/");
    const std::vector<std::vector<std::string>> items = {
        {"2026/01/02", "Modem", "100000", "", "", "19.99", "3", "", "ACME Parts"},
        {"2026/01/03", "Scanner", "12-345", "", "", "80.00", "1", "", "Harbor"},
        {"2026/01/04", "Cable", "", "", "", "4.50", "9", "", "acme wholesale"},
    };
    for (const auto& values : items) {
        std::vector<std::string> v = values;
        v.resize(15);
        store.SetItemValues(store.AppendItem(), v);
    }
    return store;
}

// An add dialog on a new item, shown as the inventory window shows it.
template <class F>
void WithAddDialog(ScriptedPlatform& ui, brenvik::Store& store, F&& body) {
    const int row = store.AppendItem();
    ui.ExpectModal("TAddInventoryForm", [&](QDialog& d) {
        body(static_cast<TAddInventoryForm&>(d));
        return QDialog::Rejected;
    });
    TAddInventoryForm form(store, row);
    ui.ShowModal(form);
}

}  // namespace

TEST(ItemDialogs, DetailsTableEditingRules) {
    ScriptedPlatform ui;
    brenvik::Store store = SampleStore();
    WithAddDialog(ui, store, [&](TAddInventoryForm& form) {
        ItemDetailsGrid& grid = *form.EditGrid();
        EXPECT_EQ(grid.Value(kDate), brenvik::FormatDate(brenvik::Today()));
        EXPECT_EQ(grid.Value(kBarCode), "");  // the setting is off

        // Only typed fields may be typed into.
        for (int row : {kDate, kBarCode, kWebId, kTotalSold})
            EXPECT_FALSE(grid.item(row, 1)->flags() & Qt::ItemIsEditable) << row;
        EXPECT_TRUE(grid.item(kItem, 1)->flags() & Qt::ItemIsEditable);
        EXPECT_FALSE(grid.item(kItem, 0)->flags() & Qt::ItemIsEditable);

        // A date from the calendar keeps what was typed in other rows.
        grid.SetValue(kSupplier, "Typed supplier");
        ui.ExpectMenu("Set Date");
        ui.ExpectDate(QDate(2025, 7, 4));
        grid.ProcessField(kDate, Qt::LeftButton, QPoint(100, 100));
        EXPECT_EQ(ui.Log(test::Dlg::Date).back().value, QDate::currentDate().toString(Qt::ISODate));
        EXPECT_EQ(grid.Value(kDate), "2025/07/04");
        EXPECT_EQ(grid.Value(kSupplier), "Typed supplier");
        ui.ExpectMenu("Clear Date");
        grid.ProcessField(kDate, Qt::LeftButton, QPoint());
        EXPECT_EQ(grid.Value(kDate), "");

        // Choice lists on the right button, in their sorted order.
        ui.ExpectMenu("Modem");
        grid.ProcessField(kItem, Qt::RightButton, QPoint());
        EXPECT_EQ(ui.Log(test::Dlg::Menu).back().items,
                  QStringList({"Computer", "Ink Jet Printer", "Laser Printer", "Modem", "Monitor",
                               "Scanner", "Speakers", "UPS"}));
        EXPECT_EQ(grid.Value(kItem), "Modem");
        ui.ExpectMenu(0);
        grid.ProcessField(kType, Qt::RightButton, QPoint());
        EXPECT_EQ(grid.Value(kType), " Linux");
        grid.ProcessField(kSupplier, Qt::RightButton, QPoint());  // no choices: nothing

        // Bar code entry: duplicates and codes without digits are refused.
        ui.ExpectInput("Scan or Type Barcode", "12-34 5", "Scan Barcode");
        ui.ExpectError("You have entered duplicate bar code value.");
        grid.ProcessField(kBarCode, Qt::LeftButton, QPoint());
        EXPECT_EQ(grid.Value(kBarCode), "");
        ui.ExpectInput("Scan or Type Barcode", "77-1 2");
        grid.ProcessField(kBarCode, Qt::LeftButton, QPoint());
        EXPECT_EQ(grid.Value(kBarCode), "77-12");

        // Checking "Auto Assign Barcode" fills only an empty bar code.
        form.AutoAssignBarcode()->setChecked(true);
        EXPECT_EQ(grid.Value(kBarCode), "77-12");
        form.AutoAssignBarcode()->setChecked(false);
        grid.SetValue(kBarCode, "");
        form.AutoAssignBarcode()->setChecked(true);
        EXPECT_EQ(grid.Value(kBarCode), "100010");
        test::Click(form, "OKBtn");
    });
    EXPECT_EQ(store.Data.Cell(kItem, 4), "Modem");
    EXPECT_EQ(store.Data.Cell(kBarCode, 4), "100010");
    EXPECT_TRUE(store.Values.autoBarcode);
}

TEST(ItemDialogs, LineEditorScanAndFind) {
    ScriptedPlatform ui;
    brenvik::Store store = SampleStore();
    std::vector<std::string> line = {"old", "", "", "", "", ""};
    TEditItemForm form(store.Data, line);
    ui.ExpectModal("TEditItemForm", [&](QDialog&) {
        ClickGrid& grid = *form.EditGrid();
        EXPECT_EQ(grid.item(0, 0)->text(), "Item ");
        EXPECT_EQ(grid.Value(0), "old");

        ui.ExpectInput("Scan or Type Code", "1 2-3 4 5", "Add Item");
        form.ScanBtnClick();
        EXPECT_EQ(grid.Values(),
                  (std::vector<std::string>{"Scanner", "12-345", "80.00", "1", "0", ""}));
        ui.ExpectInput("Scan or Type Code", "999");
        ui.ExpectInformation("Scanned item not found in database.");
        form.ScanBtnClick();
        ui.ExpectInputCancel("Scan or Type Code");
        form.ScanBtnClick();

        // Find by supplier, ignoring case; a record without a bar code is
        // named by its row.
        ui.ExpectMenu("Supplier");
        ui.ExpectInput("Supplier", "acme", "Find Supplier");
        ui.ExpectModal("TFindResultsForm", [](QDialog& pick) {
            auto& results = static_cast<TFindResultsForm&>(pick);
            EXPECT_EQ(results.Results()->count(), 2);
            results.Results()->setCurrentRow(1);
            test::Click(pick, "OKBtn");
            return QDialog::Rejected;
        });
        form.FindBtnClick();
        EXPECT_EQ(ui.Log(test::Dlg::Menu).back().items.size(), 15);
        EXPECT_EQ(grid.Values(),
                  (std::vector<std::string>{"Cable", "Item #: 3", "4.50", "1", "0", ""}));
        ui.ExpectInput("Description", "nothing like it");
        ui.ExpectInformation("No matching items found.");
        form.FindColumn(11);
        test::Click(form, "OKBtn");
        return QDialog::Rejected;
    });
    EXPECT_EQ(ui.ShowModal(form), QDialog::Accepted);
    EXPECT_EQ(line, (std::vector<std::string>{"Cable", "Item #: 3", "4.50", "1", "0", ""}));
}

// Enter walks down the rows of an item dialog and never saves a half-filled
// item, on a read-only row or an editable one; after the last row it goes
// on to OK, and only OK saves. Every row shows without scrolling.
TEST(ItemDialogs, EnterDoesNotSaveAHalfFilledItem) {
    ScriptedPlatform ui;
    brenvik::Store store = SampleStore();
    const int row = store.AppendItem();
    ui.ExpectModal("TAddInventoryForm", [&](QDialog& d) {
        auto& form = static_cast<TAddInventoryForm&>(d);
        ItemDetailsGrid& grid = *form.EditGrid();
        const int last = grid.rowCount() - 1;
        const QRect lastRow = grid.visualRect(grid.model()->index(last, 1));
        EXPECT_LE(lastRow.bottom(), grid.viewport()->height()) << "the last row is cut off";

        grid.SetValue(kItem, "Half");
        EXPECT_FALSE(grid.item(kTotalSold, 1)->flags().testFlag(Qt::ItemIsEditable));
        for (int r : {kTotalSold, kItem}) {
            grid.setCurrentCell(r, 1);
            test::Key(grid, Qt::Key_Return);
            EXPECT_TRUE(form.isVisible());
            EXPECT_EQ(grid.currentRow(), r + 1);
        }
        EXPECT_EQ(store.ItemValues(row)[kItem], "");
        grid.setCurrentCell(last, 1);
        test::Key(grid, Qt::Key_Return);
        EXPECT_TRUE(form.isVisible());
        test::Key(test::Find<QPushButton>(form, "OKBtn"), Qt::Key_Return);
        return QDialog::Rejected;
    });
    TAddInventoryForm form(store, row);
    EXPECT_EQ(ui.ShowModal(form), QDialog::Accepted);
    EXPECT_EQ(store.ItemValues(row)[kItem], "Half");
}
