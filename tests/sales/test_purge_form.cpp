// The purge dialog: both modes, the dates and their calendar, the live
// count, export of the selection and the confirmed purge.
#include "store/reports/screens/TExportForm.h"
#include "store/sales/invoices.h"
#include "store/sales/screens/TPurgeForm.h"
#include "support/scripted_platform.h"
#include "ui/text.h"

#include <QRadioButton>

#include <gtest/gtest.h>

using namespace brenvik;
using test::MsgAnswer;

namespace {

class PurgeFormTest : public ::testing::Test {
protected:
    test::ScriptedPlatform ui;
    test::TempFolder folder;
    StringTable invoices{128};

    void SetUp() override {
        SetInvoiceGridFields(invoices);
        invoices.SetRowCount(2);
    }
    void Records(std::initializer_list<const char*> dates) {
        invoices.SetRowCount(static_cast<int>(dates.size()) + 1);
        int r = 1;
        for (const char* d : dates) {
            invoices.SetCell(0, r, d);
            invoices.SetCell(1, r, std::to_string(1000 + r));
            ++r;
        }
    }
    std::unique_ptr<TPurgeForm> Open() {
        auto form =
            std::make_unique<TPurgeForm>(invoices, InvoiceField(invoices, "date"), folder.Path());
        form->FormActivate();
        return form;
    }
    static void Range(TPurgeForm& f, const char* from, const char* to) {
        test::SetChecked(f, "PurgeDateRange", true);
        test::SetText(f, "FromDate", from);
        test::SetText(f, "ToDate", to);
    }
};

const char* const kConfirm =
    "Purged items will be removed from the database.  Are you sure you want to continue ?";

TEST_F(PurgeFormTest, EverythingOnANewTableCountsTheBlankRowAndLeavesTheInitialShape) {
    auto form = Open();
    EXPECT_EQ(test::TextOf(*form, "PurgeCount"), "1");
    // Empty bounds are set to today.
    EXPECT_EQ(test::TextOf(*form, "FromDate"), ui::ToQ(FormatDate(Today())));
    ui.ExpectDestructive(kConfirm, MsgAnswer::Yes);
    form->OKBtnClick();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(invoices.RowCount(), 2);
    EXPECT_TRUE(IsBlankRow(invoices, 1));
    EXPECT_EQ(invoices.CellText(0, 0), "Date");
}

TEST_F(PurgeFormTest, DateRangeCountsLiveAndPassesOverUnreadableDates) {
    Records({"2024/01/31", "2024/02/01", "", "2024/02/29", "2024/03/01"});
    auto form = Open();
    Range(*form, "2024/02/01", "2024/02/29");
    EXPECT_EQ(test::TextOf(*form, "PurgeCount"), "2");  // both bounds included
    EXPECT_EQ(form->PassedOver(), 1);
    EXPECT_TRUE(
        test::TextOf(*form, "PassedOver").startsWith("1 record(s) without a readable date"));
    EXPECT_EQ(form->PurgeGrid().RowCount(), 3);
    EXPECT_EQ(form->PurgeGrid().CellText(1, 1), "1004");

    // From after To selects nothing.
    test::SetText(*form, "FromDate", "2024/03/01");
    EXPECT_EQ(test::TextOf(*form, "PurgeCount"), "0");

    // A bound that is not a date is reported and the count keeps its value.
    test::SetText(*form, "FromDate", "2024/02/01");
    test::SetText(*form, "ToDate", "2024/02/30");
    ui.ExpectError("'2024/02/30' is not a valid date");
    form->SelectPurge();
    EXPECT_EQ(test::TextOf(*form, "PurgeCount"), "2");
    ui.ExpectError("'2024/02/30' is not a valid date");
    form->ToDateClick();  // no calendar on a bad date
    EXPECT_TRUE(ui.Finish());
}

TEST_F(PurgeFormTest, CalendarWritesTheChosenDateAndRecounts) {
    Records({"2024/01/05", "2024/01/20"});
    auto form = Open();
    Range(*form, "2024/01/01", "2024/01/10");
    EXPECT_EQ(test::TextOf(*form, "PurgeCount"), "1");
    ui.ExpectDate(QDate(2024, 1, 31));
    form->ToDateClick();
    EXPECT_EQ(test::TextOf(*form, "ToDate"), "2024/01/31");
    EXPECT_EQ(test::TextOf(*form, "PurgeCount"), "2");
    ASSERT_EQ(ui.Log(test::Dlg::Date).size(), 1u);
    EXPECT_EQ(ui.Log(test::Dlg::Date)[0].value, "2024-01-10");
}

TEST_F(PurgeFormTest, ExportHandsOverTheSelectionAndPurgesNothing) {
    Records({"2024/01/05", "2024/01/20", "2024/02/01"});
    auto form = Open();
    Range(*form, "2024/01/06", "2024/02/01");
    ui.ExpectModal("TExportForm", [](QDialog& d) {
        const auto& grid = static_cast<TExportForm&>(d).BufferGrid;
        EXPECT_EQ(grid.RowCount(), 4);  // heading, two records, one empty row
        EXPECT_EQ(grid.CellText(1, 0), "Invoice Number");
        EXPECT_EQ(grid.CellText(1, 1), "1002");
        EXPECT_EQ(grid.CellText(1, 2), "1003");
        return QDialog::Rejected;
    });
    form->ExportBtnClick();
    EXPECT_EQ(invoices.RowCount(), 4);

    // "No" returns to the dialog without purging.
    ui.ExpectDestructive(kConfirm, MsgAnswer::No);
    form->OKBtnClick();
    EXPECT_EQ(invoices.RowCount(), 4);
    ui.ExpectDestructive(kConfirm, MsgAnswer::Yes);
    form->OKBtnClick();
    ASSERT_EQ(invoices.RowCount(), 2);
    EXPECT_EQ(invoices.CellText(1, 1), "1001");
    EXPECT_TRUE(ui.Finish());
}

}  // namespace
