// The point-of-sale screen driven as a user would, through the scripted
// platform: totals, batch add, tax defaults, finalizing, refunds, the
// questions and the saves when the screen closes.
#include "sales_fixture.h"
#include "store/inventory/screens/ClickGrid.h"
#include "store/inventory/screens/TEditItemForm.h"
#include "store/inventory/screens/TView.h"
#include "store/sales/invoices.h"
#include "store/sales/screens/TPOSForm.h"
#include "support/scripted_platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace brenvik;
using test::MsgAnswer;

namespace {

class POSTest : public ::testing::Test, public salestest::StoreFixture {
protected:
    test::ScriptedPlatform ui;
    int mouse = 0, lamp = 0, rope = 0;
    std::unique_ptr<TPOSForm> form;

    void SetUp() override {
        mouse = AddItem("Mouse", "1001", "19.99", "10");
        lamp = AddItem("Lamp", "", "10", "5");
        rope = AddItem("Rope", "12x34", "2", "30");
        store.Values.tax1Name = "State";
        store.Values.tax1Rate = "7";
        store.Values.tax2Name = "City";
        store.Values.tax2Rate = "0";
        store.Values.tax1Default = true;
        store.Values.tax2Default = false;
        store.Values.nextInvoice = "1041";
        form = std::make_unique<TPOSForm>(store);
        form->FormActivate();
    }

    QString Text(const char* name) { return test::TextOf(*form, name); }
    void Scan(std::initializer_list<const char*> codes) {
        for (const char* c : codes) ui.ExpectInput("Scan or Type Code", c, "Add Item");
    }
};

TEST_F(POSTest, WorkedExampleThroughTheScreen) {
    Scan({"1001", ""});
    form->BatchAddBtnClick();
    ASSERT_EQ(form->Lines().size(), 1u);
    form->Lines()[0].quantity = "3";
    form->Lines()[0].discount = "15";
    form->TotalLine(0);
    EXPECT_EQ(form->Lines()[0].total, "$50.97");
    form->Lines().push_back({"Hand typed", "", "$10", "1", "0", ""});
    form->TotalLine(1);
    test::SetText(*form, "DiscountAmount", "10");
    EXPECT_EQ(Text("PreTaxTotal"), "60.97");
    EXPECT_EQ(Text("AfterDiscount"), "54.87");
    EXPECT_EQ(Text("TaxOne"), "3.84");
    EXPECT_EQ(Text("TaxTwo"), "0");
    EXPECT_EQ(Text("InvoiceTotal"), "58.71");
    EXPECT_EQ(Text("Tax1Label"), "State (7%)");
    EXPECT_EQ(Text("Tax2Label"), "City (NA)");
    EXPECT_EQ(Text("UseTax2R"), "City (NA)");

    // Change follows the amount received and the total; emptying the
    // amount received shows the negated total.
    test::SetText(*form, "AmountReceived", "60");
    EXPECT_EQ(Text("Change"), "1.29");
    test::SetText(*form, "DiscountAmount", "");
    EXPECT_EQ(Text("InvoiceTotal"), "65.24");
    EXPECT_EQ(Text("Change"), "-5.24");
    test::SetText(*form, "AmountReceived", "");
    EXPECT_EQ(Text("Change"), "-65.24");
    // A checked tax at rate "0" is 0.00; "$" with an empty amount discounts nothing.
    test::SetChecked(*form, "Tax2Label", true);
    EXPECT_EQ(Text("TaxTwo"), "0.00");
    test::Find<QComboBox>(*form, "DiscountType").setCurrentText("$");
    EXPECT_EQ(Text("AfterDiscount"), "60.97");
}

TEST_F(POSTest, BatchAddCountsUpExactCodesAndReportsUnknownOnes) {
    Scan({"1001", "1001", "1234", "1234", "999"});
    ui.ExpectError("Scanned item was not found in inventory list.");
    Scan({""});
    form->BatchAddBtnClick();
    ASSERT_EQ(form->Lines().size(), 3u);
    EXPECT_EQ(form->Lines()[0].quantity, "2");
    EXPECT_EQ(form->Lines()[0].total, "$39.98");
    // 1234 finds 12x34 both times, but never equals the line's code exactly.
    EXPECT_EQ(form->Lines()[1].barcode, "12x34");
    EXPECT_EQ(form->Lines()[2].barcode, "12x34");
    EXPECT_EQ(Text("PreTaxTotal"), "43.98");

    // A quantity that is not a whole number ends the loop with the integer error.
    form->Lines()[0].quantity = "1.5";
    Scan({"1001"});
    ui.ExpectError("'1.5' is not a valid integer value");
    form->BatchAddBtnClick();
    EXPECT_TRUE(ui.Finish());
    EXPECT_EQ(form->Lines().size(), 3u);
    EXPECT_EQ(form->Lines()[0].quantity, "1.5");
}

TEST_F(POSTest, TaxDefaultsSurviveActivationInOrder) {
    store.Values.tax1Default = true;
    store.Values.tax2Default = true;
    TPOSForm fresh(store);  // boxes start unchecked
    fresh.FormActivate();
    EXPECT_TRUE(test::Find<QCheckBox>(fresh, "Tax1Label").isChecked());
    EXPECT_TRUE(test::Find<QCheckBox>(fresh, "Tax2Label").isChecked());
    EXPECT_TRUE(test::Find<QCheckBox>(fresh, "UseTax2R").isChecked());
    EXPECT_TRUE(store.Values.tax2Default);

    // A click stores both states; the refund page's boxes do not.
    test::SetChecked(fresh, "Tax1Label", false);
    EXPECT_FALSE(store.Values.tax1Default);
    EXPECT_TRUE(store.Values.tax2Default);
    test::SetChecked(fresh, "UseTax2R", false);
    EXPECT_TRUE(store.Values.tax2Default);
    fresh.FormActivate();
    EXPECT_TRUE(test::Find<QCheckBox>(fresh, "UseTax2R").isChecked());
}

TEST_F(POSTest, TaxChangeAsksNameAndRate) {
    ui.ExpectInput("Please enter tax type:", "VAT", "Tax Type");
    ui.ExpectInput("Please enter tax rate:", "5", "Tax Rate");
    form->TaxChange(2);
    EXPECT_EQ(Text("Tax2Label"), "VAT (5%)");
    EXPECT_EQ(Text("UseTax2R"), "VAT (5%)");
    EXPECT_EQ(store.Values.tax2Rate, "5");
    // An empty name keeps the captions.
    ui.ExpectInput("Please enter tax type:", "", "Tax Type");
    ui.ExpectInput("Please enter tax rate:", "6", "Tax Rate");
    form->TaxChange(2);
    EXPECT_EQ(Text("Tax2Label"), "VAT (5%)");
}

TEST_F(POSTest, AddManualKeepsTheLineOnOKAndDropsItOtherwise) {
    ui.ExpectModal("TEditItemForm", QDialog::Rejected);
    form->AddItemsBtnClick();
    EXPECT_TRUE(form->Lines().empty());

    ui.ExpectModal("TEditItemForm", [](QDialog& d) {
        auto& grid = *static_cast<TEditItemForm&>(d).EditGrid();
        grid.SetValue(0, "Lamp");
        grid.SetValue(1, "Item #: 2");
        grid.SetValue(2, "$10");
        grid.SetValue(3, "2");
        grid.SetValue(4, "0");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    form->AddItemsBtnClick();
    ASSERT_EQ(form->Lines().size(), 1u);
    EXPECT_EQ(form->Lines()[0].total, "$20.00");
    EXPECT_EQ(form->SelectedLine(), 0);
    EXPECT_EQ(Text("InvoiceTotal"), "21.40");

    // Double click: however the dialog ends, the line is totalled again.
    form->Lines()[0].quantity = "3";
    ui.ExpectModal("TEditItemForm", QDialog::Rejected);
    form->ItemViewDblClick();
    EXPECT_EQ(form->Lines()[0].total, "$30.00");

    form->RemoveSelectedBtnClick();
    EXPECT_TRUE(form->Lines().empty());
    EXPECT_EQ(Text("PreTaxTotal"), "0.00");
}

TEST_F(POSTest, FinalizeRecordsTheSaleAndClearsTheScreen) {
    Scan({"1001", "1001", ""});
    form->BatchAddBtnClick();
    form->Lines().push_back({"Lamp", "Item #: 2", "$10", "1", "0", ""});
    form->TotalLine(1);
    form->Lines().push_back({"Gift wrap", "", "$1", "1", "0", ""});
    form->TotalLine(2);
    test::SetText(*form, "SoldTo", "Smith, Anna\n12 High St");
    test::Find<QComboBox>(*form, "PaymentMethod").setEditText("Cash");
    test::SetText(*form, "AmountReceived", "60");
    form->FinalizeSaleBtnClick();
    EXPECT_TRUE(ui.Finish());

    EXPECT_EQ(Get(mouse, "Quantity"), "8");
    EXPECT_EQ(Get(lamp, "Quantity"), "4");
    EXPECT_EQ(store.History(mouse).size(), 6u);
    const auto& inv = store.InvoiceGrid;
    EXPECT_EQ(inv.CellText(1, 1), "1041");
    EXPECT_EQ(inv.CellText(2, 1), "Smith, Anna, 12 High St");
    EXPECT_EQ(inv.CellText(3, 1), "50.98");
    EXPECT_EQ(inv.CellText(4, 1), "%");
    EXPECT_EQ(inv.CellText(5, 1), "3.57");
    EXPECT_EQ(inv.CellText(7, 1), "54.55");
    EXPECT_EQ(inv.CellText(8, 1), "Cash");
    EXPECT_EQ(inv.CellText(9, 1), "60");
    EXPECT_EQ(inv.CellText(10, 1), "1001, Item #: 2, ");
    EXPECT_EQ(form->LastInvoiceNumber(), "1041");

    // The screen holds an empty sale under the next number.
    EXPECT_TRUE(form->Lines().empty());
    EXPECT_EQ(Text("NextInvoiceNumber"), "1042");
    for (const char* box :
         {"SoldTo", "PreTaxTotal", "DiscountAmount", "AfterDiscount", "TaxOne", "TaxTwo",
          "InvoiceTotal", "PaymentMethod", "CCNumber", "AmountReceived", "Change"})
        EXPECT_EQ(Text(box), "") << box;
    EXPECT_TRUE(store.Values.tax1Default && store.Values.tax2Default);
}

TEST_F(POSTest, AddressEndingInALineBreakGivesNoTrailingSeparator) {
    for (const char* typed : {"Smith, Anna\n12 High St\n", "Smith, Anna\n12 High St"}) {
        form->Lines().push_back({"Lamp", "Item #: 2", "$10", "1", "0", ""});
        form->TotalLine(0);
        test::SetText(*form, "SoldTo", typed);
        form->FinalizeSaleBtnClick();
        EXPECT_TRUE(ui.Finish());
        const int row = store.InvoiceGrid.RowCount() - 1;
        EXPECT_EQ(store.InvoiceGrid.CellText(2, row), "Smith, Anna, 12 High St") << typed;
    }
}

TEST_F(POSTest, MalformedNextNumberRefusesTheSale) {
    store.Values.nextInvoice = "12a";
    Scan({"1001", ""});
    form->BatchAddBtnClick();
    ui.ExpectError(test::Containing("\"12a\" is not a whole number"));
    form->FinalizeSaleBtnClick();
    EXPECT_TRUE(ui.Finish());
    EXPECT_EQ(form->Lines().size(), 1u);
    EXPECT_EQ(Get(mouse, "Quantity"), "10");
    EXPECT_TRUE(IsBlankRow(store.InvoiceGrid, 1));
}

TEST_F(POSTest, RefundPutsStockBackAndClearsThePage) {
    Set(lamp, "Quantity", "5");
    form->InvoiceBook()->setCurrentIndex(TPOSForm::ProcessRefundPage);
    form->RefundLines().push_back({"Lamp", "Item #: 2", "$6.25", "2", "0", ""});
    form->TotalRefundLine(0);
    test::SetChecked(*form, "UseTax1R", false);
    test::SetText(*form, "OriginalInvoice", "1040");
    EXPECT_EQ(Text("RefundTotal"), "12.50");
    test::SetText(*form, "Adjustment", "10");
    EXPECT_EQ(Text("AdjustmentAmount"), "11.25");
    test::SetText(*form, "Adjustment", "");
    form->RefundBtnClick();

    EXPECT_EQ(Get(lamp, "Quantity"), "7");
    EXPECT_EQ(store.History(lamp)[1], "Product Return");
    EXPECT_EQ(store.InvoiceGrid.CellText(1, 1), "R1040");
    EXPECT_EQ(store.InvoiceGrid.CellText(3, 1), "12.50");
    EXPECT_EQ(store.InvoiceGrid.CellText(7, 1), "-12.50");
    EXPECT_EQ(store.InvoiceGrid.CellText(9, 1), "-12.50");
    EXPECT_EQ(store.Values.nextInvoice, "1041");
    EXPECT_TRUE(form->RefundLines().empty());
    EXPECT_EQ(Text("OriginalInvoice"), "");
    EXPECT_EQ(Text("RefundTotal"), "");
}

TEST_F(POSTest, NewSaleAndCloseAskWhileLinesAreOnTheScreen) {
    Scan({"1001", ""});
    form->BatchAddBtnClick();
    const char* newSale =
        "Warning: existing sale has not been finalized.  Are you sure you want to continue ?";
    ui.ExpectDestructive(newSale, MsgAnswer::No);
    form->NewSaleBtnClick();
    EXPECT_EQ(form->Lines().size(), 1u);
    ui.ExpectDestructive(newSale, MsgAnswer::Yes);
    form->NewSaleBtnClick();
    EXPECT_TRUE(form->Lines().empty());
    test::Find<QComboBox>(*form, "DiscountType").setCurrentText("$");
    test::Find<QSpinBox>(*form, "PrintCopies").setValue(2);
    EXPECT_EQ(store.Values.printCopies, 2);

    // Nothing on the list: New Sale asks nothing and keeps type and copies.
    form->NewSaleBtnClick();
    EXPECT_EQ(Text("DiscountType"), "$");
    EXPECT_EQ(Text("PrintCopies"), "2");
    EXPECT_TRUE(ui.Finish());
}

TEST_F(POSTest, ClosingSavesEveryKindOfFile) {
    const char* close =
        "Warning: existing sale has not been finalized.  Are you sure you want to close ?";
    ui.ExpectModal("TPOSForm", [&](QDialog& d) {
        auto& pos = static_cast<TPOSForm&>(d);
        Scan({"1001", ""});
        pos.BatchAddBtnClick();
        ui.ExpectDestructive(close, MsgAnswer::No);
        pos.CloseFormClick();
        EXPECT_TRUE(pos.isVisible());
        pos.FinalizeSaleBtnClick();
        pos.CloseFormClick();  // no lines: no question
        return QDialog::Accepted;
    });
    OpenPointOfSale(store);
    EXPECT_TRUE(ui.Finish());
    for (const char* file : {"settings.set", "settings2.set", "Inventory.dt2", "Customers.dt2",
                             "Item1.ihf", "Invoices.dt2"})
        EXPECT_TRUE(folder.Exists(file)) << file;
    Store reloaded(folder.Path());
    reloaded.LoadInventory();
    reloaded.LoadInvoices();
    EXPECT_EQ(reloaded.Values.nextInvoice, "1042");
    EXPECT_EQ(reloaded.Data.CellText(GridField(reloaded.Data, "Quantity"), mouse), "9");
    EXPECT_EQ(reloaded.InvoiceGrid.CellText(1, 1), "1041");
    EXPECT_EQ(reloaded.History(mouse).size(), 6u);
}

// Escape and the window's close box ask as the Close button does before an
// unfinalized sale is thrown away; "No" keeps the screen and the sale.
TEST_F(POSTest, EscapeAndTheCloseBoxAskBeforeDiscardingASale) {
    const char* close =
        "Warning: existing sale has not been finalized.  Are you sure you want to close ?";
    const std::vector<std::pair<const char*, std::function<void(TPOSForm&)>>> ways = {
        {"Escape", [](TPOSForm& pos) { test::Key(pos, Qt::Key_Escape); }},
        {"close box", [](TPOSForm& pos) { pos.close(); }},
    };
    for (const auto& [way, closeWay] : ways) {
        SCOPED_TRACE(way);
        const auto& closeIt = closeWay;
        ui.ExpectModal("TPOSForm", [&](QDialog& d) {
            auto& pos = static_cast<TPOSForm&>(d);
            Scan({"1001", ""});
            pos.BatchAddBtnClick();
            ui.ExpectDestructive(close, MsgAnswer::No);
            closeIt(pos);
            EXPECT_TRUE(pos.isVisible());
            EXPECT_EQ(pos.Lines().size(), 1u);
            ui.ExpectDestructive(close, MsgAnswer::Yes);
            closeIt(pos);
            EXPECT_FALSE(pos.isVisible());
            return QDialog::Rejected;
        });
        OpenPointOfSale(store);
        EXPECT_TRUE(ui.Finish());
    }
}

}  // namespace

namespace {

// The main menu's "Point of Sale" as the inventory window runs it: the list
// into Data, the screen, then derived fields and the list refreshed.
TEST(POSFromMenu, SaleAndRefundReachTheListAndTheFiles) {
    test::ScriptedPlatform ui;
    test::TempFolder folder;
    TView view(folder.Path());
    view.FormActivate();
    Store& store = view.GetStore();
    const int row = store.AppendItem();
    store.Data.SetCell(GridField(store.Data, "Item"), row, "Mouse");
    store.Data.SetCell(GridField(store.Data, "Bar Code"), row, "1001");
    store.Data.SetCell(GridField(store.Data, "Sale Price"), row, "10");
    store.Data.SetCell(GridField(store.Data, "Quantity"), row, "5");
    view.GridToList();

    ui.ExpectModal("TPOSForm", [&](QDialog& d) {
        auto& pos = static_cast<TPOSForm&>(d);
        ui.ExpectInput("Scan or Type Code", "1001");
        ui.ExpectInput("Scan or Type Code", "1001");
        ui.ExpectInput("Scan or Type Code", "");
        pos.BatchAddBtnClick();
        pos.FinalizeSaleBtnClick();
        pos.InvoiceBook()->setCurrentIndex(TPOSForm::ProcessRefundPage);
        pos.RefundLines().push_back({"Mouse", "1001", "$10", "1", "0", ""});
        pos.TotalRefundLine(0);
        test::SetText(pos, "OriginalInvoice", "1");
        pos.RefundBtnClick();
        pos.CloseFormClick();
        return QDialog::Accepted;
    });
    view.ListToGrid();
    OpenPointOfSale(store, &view);
    view.ComputeDerivedFields();
    view.GridToList();
    EXPECT_TRUE(ui.Finish());

    const int quantity = GridField(store.Data, "Quantity");
    EXPECT_EQ(view.Model().index(0, quantity).data().toString(), "4");
    EXPECT_EQ(store.Data.CellText(GridField(store.Data, "Total Sold"), row), "3");

    Store saved(folder.Path());
    saved.LoadInventory();
    saved.LoadInvoices();
    EXPECT_EQ(saved.Data.CellText(quantity, row), "4");
    EXPECT_EQ(saved.History(row).size(), 12u);
    EXPECT_EQ(saved.InvoiceGrid.CellText(1, 1), "1");
    EXPECT_EQ(saved.InvoiceGrid.CellText(1, 2), "R1");
    EXPECT_EQ(saved.InvoiceGrid.CellText(7, 2), "-10.00");
    EXPECT_EQ(saved.Values.nextInvoice, "2");
}

}  // namespace
