// The store program as a whole: the three windows on a data folder, the
// main menu, the inventory window's operations, and the save points.
#include "support/scripted_platform.h"
#include "support/store_program.h"
#include "support/testutil.h"

#include "store/core/datetext.h"
#include "store/core/screens/TMenuForm.h"
#include "store/inventory/history.h"
#include "store/inventory/screens/ItemDetailsGrid.h"
#include "store/inventory/screens/TAddInventoryForm.h"
#include "store/inventory/screens/TEditSaleForm.h"
#include "store/inventory/screens/TView.h"
#include "store/inventory/screens/TViewItemForm.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"

#include <QCheckBox>
#include <QTableView>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

using namespace brenvik;

namespace fs = std::filesystem;
using test::ScriptedPlatform;

namespace {

using test::Program;

// Adds an item through the add dialog: values by row of the details table.
void AddItem(ScriptedPlatform& ui, TView& view, std::map<int, std::string> values,
             bool autoBarcode = true, bool ok = true) {
    ui.ExpectModal("TAddInventoryForm", [=](QDialog& d) {
        auto& form = static_cast<TAddInventoryForm&>(d);
        form.AutoAssignBarcode()->setChecked(autoBarcode);
        for (const auto& [row, text] : values) form.EditGrid()->SetValue(row, text);
        test::Click(d, ok ? "OKBtn" : "CancelBtn");
        return QDialog::Rejected;
    });
    view.AddBtnClick();
}

brenvik::HistoryList Entry(const std::string& activity, const std::string& qty,
                           const std::string& notes = "") {
    return {"2026/03/04", activity, "", qty, "$2.00", notes};
}

constexpr int kItem = 1, kBarCode = 2, kQuantity = 6;

}  // namespace

TEST(StoreProgram, FirstRunInAnEmptyFolder) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    EXPECT_EQ(p.view->Inventory()->model()->columnCount(), 15);
    EXPECT_EQ(p.view->Inventory()->model()->headerData(14, Qt::Horizontal).toString(),
              "Required (Desired - Quantity)");
    EXPECT_EQ(p.Items(), 0);
    EXPECT_EQ(p.Store().CustomerData.ColCount(), 12);
    EXPECT_EQ(p.Store().CustomerData.RowCount(), 1);
    EXPECT_EQ(p.Store().CustomerData.Cell(11, 0), "Other");
    EXPECT_EQ(p.Store().Values.nextInvoice, "1");
    EXPECT_EQ(p.Store().InvoiceGrid.Cell(3, 0), "Pre-Tax amount");

    // The menu: exact captions, groups start nothing, functions start theirs.
    QTreeWidget* tree = p.menu->MenuTree();
    ASSERT_EQ(tree->topLevelItemCount(), 10);
    EXPECT_EQ(tree->topLevelItem(7)->text(0), "Setup");
    EXPECT_EQ(tree->topLevelItem(7)->child(1)->text(0), "Set Invoice Font");
    for (const char* group : {"Report", "Import", "Export", "Setup", "inventory control"})
        p.menu->InvokeFunction(group);
    ui.ExpectModal("TView", [](QDialog& d) {
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    ui.ExpectModal("TInvoiceHistoryForm", [](QDialog& d) {
        test::Click(d, "OKButton");
        return QDialog::Rejected;
    });
    ui.ExpectModal("TAboutBox", QDialog::Accepted);
    tree->setCurrentItem(tree->topLevelItem(0));
    p.menu->MenuTreeDblClick();
    p.menu->InvokeFunction("Invoice History");
    test::Click(*p.menu, "BitBtn1");
    p.menu->InvokeFunction("Web Publish");
    p.menu->InvokeFunction("Help");
    ASSERT_EQ(ui.Urls().size(), 2);
    EXPECT_EQ(ui.Urls()[0], kWebPublishUrl);
    EXPECT_TRUE(ui.Urls()[1].startsWith("file:///") && ui.Urls()[1].endsWith("/merivale-help.html"))
        << ui.Urls()[1].toStdString();

    // Activation again (a modal window closed) does not load a second time.
    dir.Write("Inventory.dt2", "");
    p.menu->FormActivate();
    EXPECT_EQ(p.Items(), 0);
    fs::remove(dir.File("Inventory.dt2"));

    ASSERT_TRUE(p.menu->FormClose());
    EXPECT_EQ(dir.Files(), QStringList({"Customers.dt2", "Inventory.dt2", "Invoices.dt2",
                                        "settings.set", "settings2.set"}));
}

TEST(StoreProgram, AddedItemsAndHistoriesSurviveARestart) {
    test::TempFolder dir;
    {
        ScriptedPlatform ui;
        Program p(dir.Path());
        AddItem(ui, *p.view, {{kItem, "Laser Printer"}, {kQuantity, "4"}});
        AddItem(ui, *p.view, {{kItem, "Modem"}, {kQuantity, "9"}});
        AddItem(ui, *p.view, {{kItem, "Cancelled"}}, true, false);
        // The setting is on now, so the code is there when the dialog opens;
        // unchecking the box does not take it away.
        AddItem(ui, *p.view, {{kItem, "No code"}}, false);
        ASSERT_EQ(p.Items(), 3);
        EXPECT_EQ(p.Value(0, kBarCode), "100000");
        EXPECT_EQ(p.Value(1, kBarCode), "100010");
        EXPECT_EQ(p.Value(2, kBarCode), "100020");
        EXPECT_EQ(p.Value(0, 0), brenvik::FormatDate(brenvik::Today()));
        EXPECT_EQ(p.Value(0, 14), "-4");             // derived fields computed after the add
        EXPECT_FALSE(p.Store().Values.autoBarcode);  // the last dialog's choice is kept
        p.Store().History(2) = Entry("Invoice Sale", "3", "first sale");
        ASSERT_TRUE(p.menu->FormClose());
    }
    EXPECT_EQ(dir.Read("Item1.ihf"), "");
    EXPECT_EQ(dir.Read("Item2.ihf"),
              "2026/03/04\r\nInvoice Sale\r\n\r\n3\r\n$2.00\r\nfirst sale\r\n");
    EXPECT_FALSE(dir.Exists("Item4.ihf"));

    ScriptedPlatform ui;
    Program p(dir.Path());
    ASSERT_EQ(p.Items(), 3);
    EXPECT_EQ(p.Value(1, kItem), "Modem");
    EXPECT_EQ(p.Value(1, 12), "3");  // Total Sold from the history
    EXPECT_EQ(p.Value(1, 13), "$2.00");
    EXPECT_EQ(p.Store().History(2), Entry("Invoice Sale", "3", "first sale"));
    EXPECT_FALSE(p.view->Model().IsChecked(0));
}

TEST(StoreProgram, MovingCarriesCheckMarksAndHistoriesAndSavesRenumber) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    for (int i = 1; i <= 5; ++i) {
        int row = p.Store().AppendItem();
        p.Store().Data.SetCell(kItem, row, "Item " + std::to_string(i));
        p.Store().History(row) = Entry("Invoice Sale", std::to_string(i));
    }
    p.view->GridToList();
    p.view->Model().SetChecked(4, true);

    p.view->SelectItem(4);
    p.view->MoveUpBtnClick();  // item 5 to row 4
    EXPECT_EQ(p.view->SelectedItem(), 3);
    EXPECT_EQ(p.Value(3, kItem), "Item 5");
    EXPECT_TRUE(p.view->Model().IsChecked(3));
    EXPECT_FALSE(p.view->Model().IsChecked(4));
    EXPECT_EQ(p.Store().History(4)[3], "5");
    EXPECT_EQ(p.Store().History(5)[3], "4");

    p.view->SelectItem(0);
    p.view->MoveUpBtnClick();  // the first item stays
    p.view->MoveDownBtnClick();
    EXPECT_EQ(p.Value(1, kItem), "Item 1");
    EXPECT_EQ(p.view->SelectedItem(), 1);

    // Stepping: checked items, neighbours, and nothing at the ends.
    p.view->SelectItem(0);
    p.view->NextRecordBtnClick();
    EXPECT_EQ(p.view->SelectedItem(), 3);
    p.view->NextRecordBtnClick();
    EXPECT_EQ(p.view->SelectedItem(), 3);
    p.view->PreviousSearchRecordBtnClick();
    EXPECT_EQ(p.view->SelectedItem(), 2);
    p.view->SelectItem(4);
    p.view->NextSearchRecordBtnClick();
    EXPECT_EQ(p.view->SelectedItem(), -1);

    dir.Write("Item9.ihf", "stale\r\n");
    ASSERT_TRUE(p.menu->FormClose());
    EXPECT_EQ(dir.Read("Item4.ihf"), brenvik::HistoryFileBytes(Entry("Invoice Sale", "5")));
    EXPECT_EQ(dir.Read("Item5.ihf"), brenvik::HistoryFileBytes(Entry("Invoice Sale", "4")));
    EXPECT_FALSE(dir.Exists("Item9.ihf"));

    // Remove the last item and close the window: its file goes.
    p.view->SelectItem(4);
    ui.ExpectDestructive("Are you sure you want to delete the selected item ?",
                         brenvik::MsgAnswer::No);
    ui.ExpectDestructive("Are you sure you want to delete the selected item ?",
                         brenvik::MsgAnswer::Yes);
    p.view->RemoveSelectedBtnClick();
    EXPECT_EQ(p.Items(), 5);
    p.view->RemoveSelectedBtnClick();
    EXPECT_EQ(p.Items(), 4);
    ASSERT_TRUE(p.view->FormClose());
    EXPECT_FALSE(dir.Exists("Item5.ihf"));
    brenvik::StringTable stored;
    stored.LoadFromFile(dir.File("Inventory.dt2"));
    EXPECT_EQ(stored.RowCount(), 5);
    EXPECT_EQ(stored.Cell(kItem, 4), "Item 5");
}

TEST(StoreProgram, CopyPasteQuickFindAndSorting) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    const char* codes[] = {"12-34 5", "", "9", "10"};
    for (int i = 0; i < 4; ++i) {
        int row = p.Store().AppendItem();
        p.Store().Data.SetCell(kItem, row, std::string("Item ") + char('A' + i));
        p.Store().Data.SetCell(kBarCode, row, codes[i]);
        p.Store().History(row) = Entry("Invoice Sale", std::to_string(i + 1));
    }
    p.view->GridToList();

    // Paste with nothing copied inserts nothing; copy needs a selection.
    ui.ExpectError("Please select item to copy.");
    p.view->CopyBtnClick();
    p.view->SelectItem(0);
    p.view->PasteBtnClick();
    EXPECT_EQ(p.Items(), 4);

    p.view->SelectItem(2);
    p.view->CopyBtnClick();
    p.view->SelectItem(0);
    p.view->Model().SetChecked(0, true);
    p.view->PasteBtnClick();
    ASSERT_EQ(p.Items(), 5);
    EXPECT_EQ(p.Value(0, kItem), "Item C");
    EXPECT_FALSE(p.view->Model().IsChecked(0));
    EXPECT_TRUE(p.view->Model().IsChecked(1));
    p.Store().History(1).push_back("one more");
    EXPECT_EQ(p.Store().History(4).size(), 6u);  // the original's history is its own

    struct Find {
        const char* answer;
        int item;  // -1: not found
    } finds[] = {{"1234-5", -1}, {"12-345", 1}, {"  ", 2}, {"9", 3}, {"777", -1}};
    for (const auto& f : finds) {
        p.view->SelectItem(-1);
        ui.ExpectInput("Scan or type barcode", f.answer, "Find Barcode");
        if (f.item < 0) ui.ExpectInformation("Selected item not found in database.");
        p.view->QuickFindBtnClick();
        if (f.item >= 0) {
            EXPECT_EQ(p.view->SelectedItem(), f.item) << f.answer;
        }
    }

    // Sorting by bar code: bytes ascending, the same heading again reverses,
    // another heading keeps the direction; check marks follow their items.
    p.view->InventoryColumnClick(kBarCode);
    std::vector<std::string> order;
    for (int i = 0; i < p.Items(); ++i) order.push_back(p.Value(i, kBarCode));
    EXPECT_EQ(order, (std::vector<std::string>{"", "10", "12-34 5", "9", "9"}));
    EXPECT_TRUE(p.view->Model().IsChecked(2));
    EXPECT_EQ(p.Store().History(3)[3], "1");  // Item A's history stays with it
    p.view->InventoryColumnClick(kBarCode);
    EXPECT_EQ(p.Value(0, kBarCode), "9");
    p.view->InventoryColumnClick(kItem);
    EXPECT_EQ(p.Value(0, kItem), "Item D");
}

TEST(StoreProgram, HistoryAddRaisesStockAndClearNeedsOK) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    int row = p.Store().AppendItem();
    p.Store().Data.SetCell(kItem, row, "Scanner");
    p.Store().Data.SetCell(kQuantity, row, "5");
    p.Store().History(row) = Entry("Invoice Sale", "1", "kept notes");
    p.view->GridToList();
    p.view->SelectItem(0);

    // "Add" of a delivery of 12: the stock rises at once and stays after OK.
    ui.ExpectModal("TViewItemForm", [&](QDialog& d) {
        auto& form = static_cast<TViewItemForm&>(d);
        ui.ExpectModal("TEditSaleForm", [&](QDialog& e) {
            auto& editor = static_cast<TEditSaleForm&>(e);
            ui.ExpectMenu("Product Received from Supplier");
            editor.EditGridMouseDown(1, Qt::LeftButton, QPoint(5, 5));
            editor.EditGridMouseDown(0, Qt::RightButton, QPoint(5, 5));
            editor.EditGrid()->SetValue(3, "12");
            test::Click(e, "OKBtn");
            return QDialog::Rejected;
        });
        test::Click(d, "AddHistoryBtn");
        EXPECT_EQ(p.Value(0, kQuantity), "17");
        test::Click(d, "OKBtn");
        (void)form;
        return QDialog::Rejected;
    });
    p.view->ViewSelectedBtnClick();
    EXPECT_EQ(p.Value(0, kQuantity), "17");
    ASSERT_EQ(p.Store().History(1).size(), 12u);
    EXPECT_EQ(p.Store().History(1)[5], "kept notes");
    EXPECT_EQ(p.Store().History(1)[6], brenvik::FormatDate(brenvik::Today()));
    EXPECT_EQ(p.Store().History(1)[7], "Product Received from Supplier");
    EXPECT_EQ(p.Value(0, 12), "13");  // Total Sold recomputed on close

    // "Clear" then closing without OK keeps the history.
    auto clear = [&](const char* closeWith) {
        ui.ExpectModal("TViewItemForm", [&, closeWith](QDialog& d) {
            ui.ExpectDestructive(
                "Item Hhstory will be cleared.  Are you sure you want to continue ?",
                brenvik::MsgAnswer::Yes);
            test::Click(d, "ClearHistoryBtn");
            test::Click(d, closeWith);
            return QDialog::Rejected;
        });
        p.view->ViewSelectedBtnClick();
    };
    clear("CancelBtn");
    EXPECT_EQ(p.Store().History(1).size(), 12u);
    ASSERT_TRUE(p.view->FormClose());
    EXPECT_FALSE(dir.Read("Item1.ihf").empty());
    clear("OKBtn");
    EXPECT_TRUE(p.Store().History(1).empty());
    ASSERT_TRUE(p.view->FormClose());
    EXPECT_EQ(dir.Read("Item1.ihf"), "");
    EXPECT_EQ(p.Value(0, kQuantity), "17");
}

TEST(StoreProgram, LongHistoryIsKeptWholeByTheViewDialog) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    int row = p.Store().AppendItem();
    brenvik::HistoryList& h = p.Store().History(row);
    for (int i = 0; i < 3000; ++i) {
        auto e = Entry("Invoice Sale", "1", "n" + std::to_string(i));
        h.insert(h.end(), e.begin(), e.end());
    }
    p.view->GridToList();
    p.view->SelectItem(0);
    ui.ExpectModal("TViewItemForm", [](QDialog& d) {
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    p.view->ViewSelectedBtnClick();
    ASSERT_EQ(p.Store().History(1).size(), 18000u);
    EXPECT_EQ(p.Store().History(1).back(), "n2999");
    EXPECT_EQ(p.Value(0, 12), "3000");
}

TEST(StoreProgram, InvoiceNumberSetting) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    ui.ExpectInput("Next Invoice Number", "0012", "Next Invoice Number");
    p.menu->InvokeFunction("Set Next Invoice Number");
    EXPECT_EQ(p.Store().Values.nextInvoice, "12");
    ui.ExpectInput("Next Invoice Number", "abc");
    ui.ExpectError("You have entered an invalid Invoice Number.");
    p.menu->InvokeFunction("Set Next Invoice Number");
    ui.ExpectInputCancel("Next Invoice Number");
    p.menu->InvokeFunction("Set Next Invoice Number");
    EXPECT_EQ(p.Store().Values.nextInvoice, "12");
    ui.ExpectFontCancel();
    p.menu->InvokeFunction("Set Invoice Font");
}

TEST(StoreProgram, FailedExitKeepsTheWindowOpenAndTheOldFiles) {
    test::TempFolder dir;
    {
        ScriptedPlatform ui;
        Program p(dir.Path());
        int row = p.Store().AppendItem();
        p.Store().Data.SetCell(kItem, row, "Monitor");
        p.Store().History(row) = Entry("Invoice Sale", "2");
        p.view->GridToList();
        ASSERT_TRUE(p.menu->FormClose());
    }
    const std::string oldHistory = dir.Read("Item1.ihf");
    const std::string oldCustomers = dir.Read("Customers.dt2");

    ScriptedPlatform ui;
    Program p(dir.Path());
    ASSERT_EQ(p.Items(), 1);
    p.Store().History(1).clear();
    p.Store().CustomerData.SetRowCount(2);
    p.Store().CustomerData.SetCell(1, 1, "Smith");
    // Something else now stands where the inventory table goes.
    fs::rename(dir.File("Inventory.dt2"), dir.File("Inventory.old"));
    fs::create_directory(dir.File("Inventory.dt2"));
    p.menu->show();
    ui.ExpectError("Cannot create " + QString::fromStdString(dir.File("Inventory.dt2")));
    EXPECT_FALSE(p.menu->close());
    EXPECT_TRUE(p.menu->isVisible());
    EXPECT_EQ(dir.Read("Item1.ihf"), oldHistory);
    EXPECT_EQ(dir.Read("Customers.dt2"), oldCustomers);

    // The user mends it and tries again.
    fs::remove(dir.File("Inventory.dt2"));
    EXPECT_TRUE(p.menu->close());
    EXPECT_EQ(dir.Read("Item1.ihf"), "");

    // A data folder whose parent is a file: nothing can be written.
    dir.Write("plain", "x");
    ScriptedPlatform ui2;
    Program q(dir.Path() + "plain/store");
    ui2.ExpectError(test::Containing("Cannot create "));
    EXPECT_FALSE(q.menu->FormClose());
}

// The menu starts with its first entry selected and focused, so Enter opens
// it without a click; Help and Web Publish say so when no browser starts.
TEST(StoreProgram, MenuWorksFromTheKeyboardAndReportsAMissingBrowser) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    QTreeWidget* tree = p.menu->MenuTree();
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0), "Inventory Control");
    EXPECT_EQ(tree->selectedItems().size(), 1);
    ui.ExpectModal("TView", QDialog::Rejected);
    test::Key(*tree, Qt::Key_Return);
    EXPECT_TRUE(ui.Finish());

    ui.FailShellOpen();
    ui.ExpectError(test::Containing("merivale-help.html"));
    p.menu->InvokeFunction("Help");
    ui.ExpectError(test::Containing(kWebPublishUrl));
    p.menu->InvokeFunction("Web Publish");
    EXPECT_TRUE(ui.Finish());
    for (const QString& said : ui.Messages())
        EXPECT_TRUE(said.contains("no web browser")) << said.toStdString();
}
