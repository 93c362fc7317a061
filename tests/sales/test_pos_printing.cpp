// The point of sale prints what it records: a finalized sale and a processed
// refund are laid out on "Preview Last" and printed PrintCopies times, and
// "Invoice Setup" lays the current sale out again with the new settings.
#include "sales_fixture.h"
#include "store/core/rtf.h"
#include "store/sales/screens/InvoicePreviewPage.h"
#include "store/sales/screens/TPOSForm.h"
#include "support/scripted_platform.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

class POSPrintingTest : public ::testing::Test, public salestest::StoreFixture {
protected:
    test::ScriptedPlatform ui;
    int lamp = 0;
    std::unique_ptr<TPOSForm> form;

    void SetUp() override {
        AddItem("Mouse", "1001", "19.99", "10");
        lamp = AddItem("Lamp", "", "10", "5");
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

    void SetCopies(int copies) { test::Find<QSpinBox>(*form, "PrintCopies").setValue(copies); }

    // A sale of two mice to a customer paying by card.
    void EnterSale() {
        form->Lines().push_back({"Mouse", "1001", "$19.99", "2", "0", ""});
        form->TotalLine(0);
        test::SetText(*form, "SoldTo", "Anna Smith\n12 High St");
        test::Find<QComboBox>(*form, "PaymentMethod").setEditText("Visa");
        test::SetText(*form, "CCNumber", "4111222233334444");
        test::SetText(*form, "AmountReceived", "50");
    }

    // The layout row whose column 3 holds `label`, or null.
    const InvoiceRow* NumberRow(const char* label) const {
        for (const InvoiceRow& r : form->Preview().Layout())
            if (r.cells[3].text == label) return &r;
        return nullptr;
    }
    bool LayoutHas(const std::string& text) const {
        for (const InvoiceRow& r : form->Preview().Layout())
            for (const InvoiceCell& c : r.cells)
                if (c.text == text) return true;
        return false;
    }
};

TEST_F(POSPrintingTest, FinalizedSaleIsPrintedPrintCopiesTimes) {
    SetCopies(2);
    EnterSale();
    form->FinalizeSaleBtnClick();
    EXPECT_TRUE(ui.Finish());

    // The preview sits on its page of the notebook and holds the sale.
    EXPECT_EQ(form->InvoiceBook()->widget(TPOSForm::PreviewLastPage), &form->Preview());
    const InvoiceRow* number = NumberRow("INVOICE NUMBER:");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->cells[5].text, "1041");
    EXPECT_EQ(number->cells[2].text, FormatDate(Today()));

    const QStringList printed = ui.PrintedFiles();
    ASSERT_EQ(printed.size(), 2);
    for (const QString& pdf : printed) {
        const QString text = test::PdfText(pdf);
        EXPECT_TRUE(text.contains("INVOICE NUMBER:")) << text.toStdString();
        EXPECT_TRUE(text.contains("1041"));
        EXPECT_TRUE(text.contains("Anna Smith"));
        EXPECT_TRUE(text.contains("12 High St"));
        EXPECT_TRUE(text.contains("MOUSE"));
        EXPECT_TRUE(text.contains("$39.98"));
        EXPECT_TRUE(text.contains("State"));   // the checked tax, by its name
        EXPECT_TRUE(text.contains("$42.78"));  // total due
        EXPECT_TRUE(text.contains("$7.22"));   // change
        EXPECT_TRUE(text.contains("Visa"));
        EXPECT_TRUE(text.contains("4111222233******"));  // the card, masked
        EXPECT_FALSE(text.contains("City"));             // unchecked tax: no row
    }
    // Printed from the sale, then the screen was cleared for the next one.
    EXPECT_TRUE(form->Lines().empty());
    EXPECT_EQ(test::TextOf(*form, "SoldTo"), "");
}

// A print that fails is never reported as sent: the user reads the printer's
// name, the system's reason and what to do, from "Finalize" (where the sale
// is kept all the same) and from "Print" on the preview page.
TEST_F(POSPrintingTest, AFailedPrintSaysWhyAndWhatToDo) {
    SetCopies(2);
    EnterSale();
    auto& printers = test::Find<QComboBox>(form->Preview(), "GmPropertyComboBox1");
    printers.addItem("Front Desk");
    printers.setCurrentText("Front Desk");
    ui.FailPrintJobs("Printer is out of paper");
    const auto failure = [] { return test::Containing("could not be printed on the printer \""); };
    ui.ExpectError(failure());
    form->FinalizeSaleBtnClick();
    EXPECT_TRUE(ui.Finish());
    EXPECT_EQ(form->LastInvoiceNumber(), "1041");  // the sale is recorded
    EXPECT_TRUE(ui.PrintedFiles().isEmpty());
    EXPECT_EQ(ui.Log(test::Dlg::PrintJob).size(), 1u);  // the second copy is not tried
    const QString said = ui.Messages().last();
    EXPECT_TRUE(said.contains("Printer is out of paper")) << said.toStdString();
    EXPECT_TRUE(said.contains("Front Desk")) << said.toStdString();
    EXPECT_TRUE(said.contains("Preview Last")) << said.toStdString();

    ui.ClearLog();
    ui.ExpectError(failure());
    form->Preview().PrintBtnClick();
    EXPECT_TRUE(ui.Finish());
    EXPECT_FALSE(ui.Messages().contains("Invoice sent to the printer."));

    // Once the printer works again, "Print" prints and says so.
    ui.FailPrintJobs({});
    ui.ExpectInformation("Invoice sent to the printer.");
    form->Preview().PrintBtnClick();
    EXPECT_TRUE(ui.Finish());
    EXPECT_EQ(ui.PrintedFiles().size(), 1);
}

TEST_F(POSPrintingTest, NoCopiesPrintsNothingButThePreviewHoldsTheInvoice) {
    EnterSale();
    form->FinalizeSaleBtnClick();
    EXPECT_TRUE(ui.Finish());
    EXPECT_TRUE(ui.PrintedFiles().isEmpty());
    const InvoiceRow* number = NumberRow("INVOICE NUMBER:");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->cells[5].text, "1041");
    EXPECT_TRUE(LayoutHas("Anna Smith"));
}

TEST_F(POSPrintingTest, RefundIsPrintedUnderTheOriginalInvoiceNumber) {
    SetCopies(1);
    form->InvoiceBook()->setCurrentIndex(TPOSForm::ProcessRefundPage);
    form->RefundLines().push_back({"Lamp", "Item #: 2", "$6.25", "2", "0", ""});
    form->TotalRefundLine(0);
    test::SetChecked(*form, "UseTax1R", false);
    test::SetText(*form, "OriginalInvoice", "1040");
    test::SetText(*form, "RefundTo", "Bob Jones");
    test::SetText(*form, "Adjustment", "10");
    test::Find<QComboBox>(*form, "RefundType").setEditText("Store Credit");
    form->RefundBtnClick();
    EXPECT_TRUE(ui.Finish());

    // The record carries "R" before the number; the printed refund names the
    // invoice it refers to.
    EXPECT_EQ(store.InvoiceGrid.CellText(1, 1), "R1040");
    const InvoiceRow* number = NumberRow("ORIGINAL INVOICE NUMBER:");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->cells[5].text, "1040");

    const QStringList printed = ui.PrintedFiles();
    ASSERT_EQ(printed.size(), 1);
    const QString text = test::PdfText(printed[0]);
    EXPECT_TRUE(text.contains("REFUND")) << text.toStdString();
    EXPECT_TRUE(text.contains("ORIGINAL INVOICE NUMBER:"));
    EXPECT_TRUE(text.contains("1040"));
    EXPECT_TRUE(text.contains("Bob Jones"));
    EXPECT_TRUE(text.contains("Lamp"));
    EXPECT_TRUE(text.contains("-10%"));    // the adjustment
    EXPECT_TRUE(text.contains("$11.25"));  // after adjustment, and the refund total
    EXPECT_TRUE(text.contains("Store Credit"));
    EXPECT_FALSE(text.contains("State"));  // tax one unchecked on the refund page
    // The page is cleared after printing.
    EXPECT_TRUE(form->RefundLines().empty());
    EXPECT_EQ(test::TextOf(*form, "OriginalInvoice"), "");
}

TEST_F(POSPrintingTest, InvoiceSetupLaysTheSaleOutAgainWithTheNewSettings) {
    EnterSale();
    form->FinalizeSaleBtnClick();
    EXPECT_TRUE(LayoutHas("MOUSE"));

    auto& setup = test::Find<QPushButton>(*form, "InvoiceHeaderBtn");
    EXPECT_TRUE(setup.isEnabled());
    ui.ExpectModal("TSelectLogoForm", [](QDialog& d) {
        test::Find<QTextEdit>(d, "HeaderText").setPlainText("Merivale Hardware\nOpen late");
        test::Click(d, "SaveChangesBtn");
        return QDialog::Rejected;
    });
    setup.click();
    EXPECT_TRUE(ui.Finish());
    EXPECT_EQ(ui.Modals(), QStringList({"TSelectLogoForm"}));
    EXPECT_EQ(brenvik::RtfLineCount(store.Values.header), 2);

    // The sale page is empty after the finalization: an empty invoice under
    // the last number, now with room for the two header lines.
    const InvoiceRow* number = NumberRow("INVOICE NUMBER:");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->cells[5].text, "1041");
    EXPECT_FALSE(LayoutHas("MOUSE"));
    EXPECT_FALSE(LayoutHas("Anna Smith"));
    int headerRows = 0;
    for (const InvoiceRow& r : form->Preview().Layout())
        if (r.cells[0].tag == InvoiceHeaderTag) ++headerRows;
    EXPECT_EQ(headerRows, 1);
    EXPECT_TRUE(ui.PrintedFiles().isEmpty());  // setting up prints nothing
}

}  // namespace
