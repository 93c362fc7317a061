// The invoice history window: loading with the program's headings, the
// read-only grid, "Analyze" and "Purge".
#include "store/sales/screens/TInvoiceHistoryForm.h"
#include "store/sales/screens/TPurgeForm.h"
#include "support/scripted_platform.h"

#include <QTableView>

#include <gtest/gtest.h>

using namespace brenvik;
using test::MsgAnswer;

namespace {

class InvoiceHistoryTest : public ::testing::Test {
protected:
    test::ScriptedPlatform ui;
    test::TempFolder folder;

    // A stored table with headings of its own and two records around a blank row.
    void WriteStoredTable() {
        StringTable t(128);
        t.SetSize(11, 4);
        for (int c = 0; c < 11; ++c) t.SetCell(c, 0, "Old" + std::to_string(c));
        t.SetCell(0, 1, "2024/01/02");
        t.SetCell(1, 1, "7");
        t.SetCell(0, 3, "2024/02/03");
        t.SetCell(1, 3, "8");
        t.SaveToFile(folder.File("Invoices.dt2"));
    }
};

TEST_F(InvoiceHistoryTest, LoadsWithTheProgramsHeadingsAndShowsThemReadOnly) {
    WriteStoredTable();
    Store store(folder.Path());
    TInvoiceHistoryForm form(store);
    form.FormActivate();
    EXPECT_EQ(store.InvoiceGrid.CellText(0, 0), "Date");
    EXPECT_EQ(store.InvoiceGrid.CellText(3, 0), "Pre-Tax amount");
    EXPECT_EQ(store.InvoiceGrid.RowCount(), 4);
    EXPECT_EQ(form.InvoiceGridView()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(InvoiceHistoryTest, AnalyzeHandsTheWholeTableToTheAnalyzer) {
    WriteStoredTable();
    Store store(folder.Path());
    TInvoiceHistoryForm form(store);
    form.FormActivate();
    form.InvoiceReportBtnClick();
    const std::string csv = folder.Read("IvTemp.csv");
    EXPECT_EQ(csv.rfind("Date,Invoice Number,", 0), 0u) << csv;
    ASSERT_EQ(ui.Log(test::Dlg::StartProgram).size(), 1u);
    EXPECT_EQ(ui.Log(test::Dlg::StartProgram)[0].items, QStringList{"IvTemp.csv"});
}

TEST_F(InvoiceHistoryTest, PurgeEverythingThroughTheButton) {
    WriteStoredTable();
    Store store(folder.Path());
    TInvoiceHistoryForm form(store);
    form.FormActivate();
    ui.ExpectModal("TPurgeForm", [&](QDialog& d) {
        EXPECT_EQ(test::TextOf(d, "PurgeCount"), "3");
        ui.ExpectDestructive(test::Containing("Purged items will be removed"), MsgAnswer::Yes);
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    form.PurgeBtnClick();
    EXPECT_TRUE(ui.Finish());
    EXPECT_EQ(store.InvoiceGrid.RowCount(), 2);
    EXPECT_EQ(form.InvoiceGridView()->model()->rowCount(), 1);
    // The purge reaches the file at the next save.
    store.SaveInvoices();
    StringTable saved;
    saved.LoadFromFile(folder.File("Invoices.dt2"));
    EXPECT_EQ(saved.RowCount(), 2);
}

}  // namespace
