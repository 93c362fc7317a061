// The barcode dialog headlessly: value entry and its refusals, "Generate"
// and its uniqueness test, drawing errors, label type limits, the hand-over
// to the label window, and both "Print Barcode" buttons of the inventory.
#include "support/scripted_platform.h"
#include "support/store_program.h"
#include "support/testutil.h"

#include "store/core/screens/TMenuForm.h"
#include "store/inventory/screens/ItemDetailsGrid.h"
#include "store/inventory/screens/TView.h"
#include "store/inventory/screens/TViewItemForm.h"
#include "store/labels/screens/TBarCodeForm.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace brenvik;
using test::ScriptedPlatform;

namespace {

const QString kPrompt = "Scan or Type Barcode";

// Shows `form` modally as its caller would and runs `body` on it; returns
// the dialog's result.
template <class F>
int WithDialog(ScriptedPlatform& ui, TBarCodeForm& form, F&& body) {
    ui.ExpectModal("TBarCodeForm", [&](QDialog&) {
        body();
        return QDialog::Rejected;  // the close box
    });
    return ui.ShowModal(form);
}

bool Blank(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != Qt::white) return false;
    return true;
}

void ChooseType(TBarCodeForm& form, const QString& name) {
    auto& box = test::Find<QComboBox>(form, "BarcodeType");
    box.setCurrentText(name);
    emit box.activated(box.currentIndex());
}

}  // namespace

TEST(BarcodeForm, EntryPresetsTheStrippedValueAndKeepsItOnRefusals) {
    ScriptedPlatform ui;
    TBarCodeForm form(0, "", {"100010", "12-345"});
    const int result = WithDialog(ui, form, [&] {
        EXPECT_EQ(test::TextOf(form, "BarCodeValue"), "");
        EXPECT_TRUE(Blank(form.Picture()));
        // No bar code yet: the box is preset with 0; confirming keeps 0.
        ui.ExpectInput(kPrompt, "0", "Scan Barcode");
        test::Click(form, "BarCodeScanbtn");
        EXPECT_EQ(ui.Log(test::Dlg::Input).back().value, "0");
        EXPECT_EQ(form.Value(), "0");

        // The dash stays; the default type then refuses to draw it.
        ui.ExpectInput(kPrompt, "12-34");
        test::Click(form, "BarCodeScanbtn");
        EXPECT_EQ(form.Value(), "12-34");
        ui.ExpectError("Barcode must be numeric");
        test::Click(form, "GenerateBarCodeBtn");
        EXPECT_TRUE(Blank(form.Picture()));
        EXPECT_EQ(form.Value(), "12-34");

        ui.ExpectInput(kPrompt, "100010");
        ui.ExpectError("You have entered duplicate bar code value.");
        test::Click(form, "BarCodeScanbtn");
        ui.ExpectInput(kPrompt, "no digits");
        ui.ExpectError("You have entered an invalid bar code value.");
        test::Click(form, "BarCodeScanbtn");
        EXPECT_EQ(form.Value(), "12-34");
        // The box is preset with the value stripped to its numeric characters.
        ui.ExpectInputCancel(kPrompt);
        test::Click(form, "BarCodeScanbtn");
        EXPECT_EQ(ui.Log(test::Dlg::Input).back().value, "12-34");
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeForm, TheItemsOwnBarCodeIsNoDuplicate) {
    ScriptedPlatform ui;
    TBarCodeForm form(1, "555", {"100010"});
    WithDialog(ui, form, [&] {
        EXPECT_EQ(form.Value(), "555");
        EXPECT_FALSE(Blank(form.Picture())) << "the initial value is drawn on opening";
        ui.ExpectInput(kPrompt, "777");
        test::Click(form, "BarCodeScanbtn");
        // Typing the stored bar code back in undoes the change.
        ui.ExpectInput(kPrompt, "555");
        test::Click(form, "BarCodeScanbtn");
        EXPECT_EQ(form.Value(), "555");
        test::Click(form, "GenerateBarCodeBtn");
        EXPECT_TRUE(ui.Messages().isEmpty());
        EXPECT_EQ(form.Picture(),
                  BarcodePicture(EncodeBarcode("bcCode_2_5_interleaved", "555", false)));
    });
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeForm, GenerateRefusesAnotherItemsBarCodeAndRestoresTheInitialValue) {
    ScriptedPlatform ui;
    // Two items already share 42 (for example after an import).
    TBarCodeForm form(0, "42", {"42", "77"});
    WithDialog(ui, form, [&] {
        ui.ExpectInput(kPrompt, "4242");
        test::Click(form, "BarCodeScanbtn");
        test::Click(form, "PrintBarCodeBtn");  // 4242 becomes the initial value
        EXPECT_EQ(form.InitialValue(), "4242");
        ui.ExpectInput(kPrompt, "42");
        ui.ExpectError("You have entered duplicate bar code value.");
        test::Click(form, "BarCodeScanbtn");

        TBarCodeForm shared(0, "42", {"42"});
        WithDialog(ui, shared, [&] {
            ui.ExpectError(
                "The barcode value you have entered is already in use.  Previous barcode will be "
                "restored.");
            test::Click(shared, "GenerateBarCodeBtn");
            EXPECT_EQ(shared.Value(), "42");
            test::SetChecked(shared, "EnsureUnique", false);
            test::Click(shared, "GenerateBarCodeBtn");
        });
    });
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeForm, DrawingErrorsNameTheReasonAndKeepTheValue) {
    ScriptedPlatform ui;
    TBarCodeForm form(0, "12345", {});
    WithDialog(ui, form, [&] {
        ui.ExpectError("An EAN-13 barcode takes 12 digits, or 13 with its check digit.");
        ChooseType(form, "bcCodeEAN13");
        EXPECT_TRUE(Blank(form.Picture()));
        EXPECT_EQ(form.Value(), "12345");
        // A typed name that is not in the list draws Interleaved 2 of 5, with
        // the fifth digit behind a leading 0.
        ChooseType(form, "bcSomething");
        EXPECT_EQ(form.Picture(),
                  BarcodePicture(EncodeBarcode("bcCode_2_5_interleaved", "012345", false)));
        // The check digit needs "Yes" and the modulo-10 method.
        test::SetText(form, "Checksum", "Yes");
        EXPECT_FALSE(form.ChecksumOn());
        test::SetText(form, "CheckSumMethod", "csmModulo10");
        EXPECT_TRUE(form.ChecksumOn());
        ChooseType(form, "bcCode_2_5_interleaved");
        EXPECT_EQ(form.Picture(),
                  BarcodePicture(EncodeBarcode("bcCode_2_5_interleaved", "123457", false)));
    });
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeForm, ClickingTheValueEntersAndDraws) {
    ScriptedPlatform ui;
    TBarCodeForm form(0, "", {});
    WithDialog(ui, form, [&] {
        auto& box = test::Find<QLineEdit>(form, "BarCodeValue");
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), box.mapToGlobal(QPointF(2, 2)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        ui.ExpectInput(kPrompt, "2468");
        QCoreApplication::sendEvent(&box, &press);
        EXPECT_EQ(form.Value(), "2468");
        EXPECT_EQ(form.Picture(),
                  BarcodePicture(EncodeBarcode("bcCode_2_5_interleaved", "2468", false)));
        // Clearing the value leaves the picture as it was: nothing to draw.
        ui.ExpectInput(kPrompt, "");
        QCoreApplication::sendEvent(&box, &press);
        EXPECT_EQ(form.Value(), "");
    });
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeForm, LabelTypeLimitsColumnAndRow) {
    ScriptedPlatform ui;
    TBarCodeForm form(0, "", {});
    WithDialog(ui, form, [&] {
        auto& column = test::Find<QSpinBox>(form, "PrintColumn");
        auto& row = test::Find<QSpinBox>(form, "PrintRow");
        EXPECT_EQ(test::Find<QComboBox>(form, "SelectTemplateList").currentIndex(), 0);
        EXPECT_EQ(column.value(), 1);
        test::SetText(form, "SelectTemplateList", "L7162_Address");
        EXPECT_EQ(form.TemplateName(), "L7162_Address");
        EXPECT_EQ(form.PrintColumnMax(), 2);
        EXPECT_EQ(form.PrintRowMax(), 8);
        column.setValue(5);
        row.setValue(9);
        EXPECT_EQ(form.PrintColumn(), 2);
        EXPECT_EQ(form.PrintRow(), 8);
        row.setValue(0);
        EXPECT_EQ(form.PrintRow(), 1);
    });
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeForm, PrintBarcodeHandsOverOnlyWithAValue) {
    ScriptedPlatform ui;
    TBarCodeForm form(3, "", {});
    std::vector<std::string> handed;
    form.OpenLabelWindow = [&](TBarCodeForm& f) {
        handed.push_back(f.InitialValue() + "@" + std::to_string(f.ItemIndex()));
    };
    const int result = WithDialog(ui, form, [&] {
        ui.ExpectError("Pleae enter barcode value.");
        test::Click(form, "PrintBarCodeBtn");
        EXPECT_TRUE(handed.empty());
        ui.ExpectInput(kPrompt, "98765");
        test::Click(form, "BarCodeScanbtn");
        test::Click(form, "PrintBarCodeBtn");
        test::Click(form, "OKBtn");
    });
    EXPECT_EQ(handed, std::vector<std::string>{"98765@3"});
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(form.Value(), "98765");
    EXPECT_TRUE(ui.Finish());
}

namespace {

// The store program's windows on a folder with three items.
struct Program : test::Program {
    explicit Program(const std::string& folder) : test::Program(folder) {
        for (const char* code : {"100000", "", "100020"}) {
            std::vector<std::string> values(15);
            values[1] = "Item";
            values[2] = code;
            Store().SetItemValues(Store().AppendItem(), values);
        }
        view->GridToList();
    }
    std::string BarCode(int item) { return Value(item, 2); }
};

}  // namespace

TEST(BarcodeForm, InventoryScreenStoresTheValueOnlyOnOK) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    ui.ExpectError("Pleae select item from inventory list.");
    test::Click(*p.view, "GenerateBarcodeBtn");

    p.view->SelectItem(1);
    ui.ExpectModal("TBarCodeForm", [&](QDialog& d) {
        auto& form = static_cast<TBarCodeForm&>(d);
        EXPECT_EQ(form.ItemIndex(), 1);
        ui.ExpectInput(kPrompt, "100020");  // the third item's
        ui.ExpectError("You have entered duplicate bar code value.");
        test::Click(d, "BarCodeScanbtn");
        ui.ExpectInput(kPrompt, "4711");
        test::Click(d, "BarCodeScanbtn");
        test::Click(d, "PrintBarCodeBtn");
        return QDialog::Rejected;  // the close box, even after Print Barcode
    });
    test::Click(*p.view, "GenerateBarcodeBtn");
    EXPECT_EQ(p.BarCode(1), "");

    ui.ExpectModal("TBarCodeForm", [&](QDialog& d) {
        ui.ExpectInput(kPrompt, "4711");
        test::Click(d, "BarCodeScanbtn");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    test::Click(*p.view, "GenerateBarcodeBtn");
    EXPECT_EQ(p.BarCode(1), "4711");
    EXPECT_EQ(p.view->Inventory()->model()->index(1, 2).data().toString(), "4711");
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeForm, ItemViewSavesItsEditsFirstAndShowsTheNewValue) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    TViewItemForm item(*p.view, 0);
    ui.ExpectModal("TViewItemForm", [&](QDialog& d) {
        auto& view = static_cast<TViewItemForm&>(d);
        const int nameRow = view.EditGrid()->RowOf("Item");
        view.EditGrid()->SetValue(nameRow, "Renamed");
        ui.ExpectModal("TBarCodeForm", [&](QDialog& b) {
            // The pending edit reached the item before the dialog opened.
            EXPECT_EQ(p.view->GetStore().Data.CellText(1, 1), "Renamed");
            EXPECT_EQ(static_cast<TBarCodeForm&>(b).Value(), "100000");
            ui.ExpectInput(kPrompt, "123");
            test::Click(b, "BarCodeScanbtn");
            test::Click(b, "OKBtn");
            return QDialog::Rejected;
        });
        test::Click(d, "PrintBarcodeBtn");
        EXPECT_EQ(view.EditGrid()->Value(view.EditGrid()->RowOf("Bar Code")), "123");
        return QDialog::Rejected;
    });
    ui.ShowModal(item);
    EXPECT_EQ(p.BarCode(0), "123");
    EXPECT_TRUE(ui.Finish());
}
