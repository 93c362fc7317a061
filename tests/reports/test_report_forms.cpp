// The report dialogs from their callers: the table report over the
// inventory and the customers, its fields, criteria, pages and Analyze; the
// quick sales report from the item view with Generate, dates, Export and
// Print.
#include "support/scripted_platform.h"
#include "support/store_program.h"
#include "support/testutil.h"

#include "report_fixture.h"

#include "store/core/screens/TMenuForm.h"
#include "store/inventory/screens/TView.h"
#include "store/inventory/screens/TViewItemForm.h"
#include "store/reports/screens/TQuickReportForm.h"
#include "store/reports/screens/TQuickSalesForm.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"
#include "ui/previewwidget.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace brenvik;
using namespace reports_test;
using test::ScriptedPlatform;

namespace {

using test::Program;

std::vector<std::string> Column(const StringTable& t, int col) {
    std::vector<std::string> cells;
    for (int r = 0; r < t.RowCount(); ++r) cells.push_back(t.CellText(col, r));
    return cells;
}

struct Word {
    QString text;
    double x, y, right;  // inches from the page's top-left corner
    int page;            // from 1
};

// The words of a PDF with their boxes, in inches.
std::vector<Word> PdfWords(const QString& pdf) {
    std::vector<Word> words;
    for (const test::PdfWord& w : test::PdfWords(pdf))
        words.push_back({w.text, w.left / 72, w.top / 72, w.right / 72, w.page});
    return words;
}

std::vector<Word> Named(const std::vector<Word>& words, const QString& text) {
    std::vector<Word> found;
    for (const Word& w : words)
        if (w.text == text) found.push_back(w);
    return found;
}

class ReportForms : public ::testing::Test {
protected:
    void SetUp() override { WriteSampleStore(folder.Path()); }
    ScriptedPlatform ui;
    test::TempFolder folder;
};

}  // namespace

TEST_F(ReportForms, InventoryReportFromTheScreenAndTheMenuShowsCheckedItemsInListOrder) {
    Program p(folder.Path());
    p.view->Model().SwapItems(0, 3);  // list order: Ring, Cap, Pin, Hat
    p.view->Model().SetChecked(0, true);
    p.view->Model().SetChecked(3, true);
    auto checkedItems = [](QDialog& d) {
        auto& form = static_cast<TQuickReportForm&>(d);
        EXPECT_EQ(form.windowTitle(), "Generate Quick Report");
        EXPECT_EQ(form.Notebook()->count(), 4);
        EXPECT_EQ(form.Notebook()->tabText(3), "Print Preview");
        EXPECT_EQ(form.Mode(), RecordMode::AllRecords);
        EXPECT_EQ(form.PreviewGrid().RowCount(), 7);  // headings, 4 items, empty, totals
        test::Click(d, "CheckedRecords");
        EXPECT_EQ(Column(form.PreviewGrid(), kItem),
                  (std::vector<std::string>{"Item", "Ring", "Hat", "", ""}));
        // Totals under the columns coded above 76 only: "Total Revenue", not "Item".
        EXPECT_EQ(form.PreviewGrid().Cell(kItem, 4), "");
        EXPECT_EQ(form.PreviewGrid().Cell(13, 4), "Total: 70.00");
        return QDialog::Accepted;
    };
    ui.ExpectModal("TQuickReportForm", checkedItems);
    test::Click(*p.view, "AnalyzeBtn");
    ui.ExpectModal("TQuickReportForm", checkedItems);
    p.menu->InvokeFunction("Inventory Report");
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ReportForms, CustomerReportTypesColumnsByHeading) {
    Program p(folder.Path());
    ui.ExpectModal("TQuickReportForm", [](QDialog& d) {
        auto& form = static_cast<TQuickReportForm&>(d);
        EXPECT_EQ(form.Source.Code(0), 1);  // "Date Added"
        EXPECT_EQ(form.Source.Code(1), 2);
        EXPECT_EQ(form.PreviewGrid().ColCount(), 12);
        EXPECT_EQ(form.PreviewGrid().RowCount(), 6);
        // No customer carries a check flag.
        test::Click(d, "CheckedRecords");
        EXPECT_EQ(form.PreviewGrid().RowCount(), 3);
        return QDialog::Accepted;
    });
    p.menu->InvokeFunction("Customer Report");
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ReportForms, FieldsChooseAndOrderTheColumnsAndAnalyzeHandsThemOver) {
    Store store(folder.Path());
    store.LoadInventory();
    TQuickReportForm form(folder.Path());
    form.Source = InventoryReportSource(store, {});
    form.FormActivate();
    QListWidget& fields = *form.FieldList();
    ASSERT_EQ(fields.count(), 15);
    for (int i = 0; i < fields.count(); ++i)
        if (i != kItem && i != kQuantity) fields.item(i)->setCheckState(Qt::Unchecked);
    fields.setCurrentRow(kQuantity);
    for (int i = 0; i < 7; ++i) form.MoveUpBtnClick();  // to the top; the seventh does nothing
    fields.setCurrentRow(fields.count() - 1);
    form.MoveDownBtnClick();  // the last one stays
    // "1 pcs" counts 1 in the quantity's total.
    EXPECT_EQ(Column(form.PreviewGrid(), 0),
              (std::vector<std::string>{"Quantity", "3", "12", "1 pcs", "40", "", "Total: 56.00"}));
    EXPECT_EQ(Column(form.PreviewGrid(), 1),
              (std::vector<std::string>{"Item", "Hat", "Cap", "Pin", "Ring", "", ""}));

    form.AnalyzeBtnClick();
    EXPECT_EQ(folder.Read("InvTemp.csv"), form.PreviewGrid().CSVBytes());
    const auto started = ui.Log(test::Dlg::StartProgram);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].items, QStringList({"InvTemp.csv"}));

    // No field checked: one empty column, also in the analyzer's file.
    for (int i = 0; i < fields.count(); ++i) fields.item(i)->setCheckState(Qt::Unchecked);
    form.AnalyzeBtnClick();
    EXPECT_EQ(form.PreviewGrid().ColCount(), 1);
    EXPECT_EQ(folder.Read("InvTemp.csv"),
              "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
}

TEST_F(ReportForms, CriteriaAreEnteredByTypeCodeAndSwitchToQuickSearch) {
    Store store(folder.Path());
    store.LoadInventory();
    TQuickReportForm form(folder.Path());
    form.Source = InventoryReportSource(store, {});
    form.Today = {2006, 3, 10};
    form.FormActivate();

    form.SelectGridMouseDown(kDateAdded, 0);  // the heading column: nothing
    EXPECT_EQ(form.Mode(), RecordMode::AllRecords);

    ui.ExpectModal("TEditDateRangeForm", [](QDialog& d) {
        test::SetText(d, "FromDate", "2006/03/01");
        test::SetText(d, "ToDate", "2006/03/31");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    form.SelectGridMouseDown(kDateAdded, 1);
    EXPECT_EQ(form.Mode(), RecordMode::QuickSearchRecords);
    EXPECT_EQ(form.Criteria()[kDateAdded].text, "2006/03/01 to 2006/03/31");
    // Hat (March 2006) and Pin (no date: today); not Cap of March 2005.
    EXPECT_EQ(Column(form.PreviewGrid(), kItem),
              (std::vector<std::string>{"Item", "Hat", "Pin", "", ""}));

    ui.ExpectInput("Enter Value", "PIN", "Enter Value");
    form.SelectGridMouseDown(kItem, 1);
    EXPECT_EQ(Column(form.PreviewGrid(), kItem), (std::vector<std::string>{"Item", "Pin", "", ""}));

    // Cancel keeps the text: the box gives back what it was given.
    ui.ExpectInputCancel("Enter Value");
    form.SelectGridMouseDown(kItem, 1);
    EXPECT_EQ(form.Criteria()[kItem].text, "PIN");
    ui.ExpectInput("Enter Value", "", "Enter Value");
    form.SelectGridMouseDown(kItem, 1);

    ui.ExpectModal("TEditNumericRangeForm", [](QDialog& d) {
        test::SetText(d, "FromEdit", "100");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    form.SelectGridMouseDown(kCost, 1);
    // "$1,250.00" reads as 1250; Pin's $0.25 is below.
    EXPECT_EQ(Column(form.PreviewGrid(), kItem), (std::vector<std::string>{"Item", "Hat", "", ""}));
    test::Click(form, "AllRecords");
    EXPECT_EQ(form.PreviewGrid().RowCount(), 7);
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ReportForms, PagesKeepMarginsBandsAndPageNumbers) {
    // 100 records: more than one page.
    StringTable table;
    table.SetSize(3, 101);
    table.SetCell(0, 0, "Name");
    table.SetCell(1, 0, "Amount");
    table.SetCell(2, 0, "Updated");
    for (int r = 1; r <= 100; ++r) {
        table.SetCell(0, r, "row" + std::to_string(r));
        table.SetCell(1, r, std::to_string(r));
    }
    TQuickReportForm form(folder.Path());
    form.Source = HeadingTypedSource(table);
    form.Today = {2006, 3, 10};
    form.FormActivate();
    test::Find<QDoubleSpinBox>(form, "LeftMargin").setValue(1.0);
    test::Find<QDoubleSpinBox>(form, "TopMargin").setValue(0.8);
    test::Find<QDoubleSpinBox>(form, "BottomMargin").setValue(0.7);
    test::Find<QComboBox>(form, "HeaderVisible").setCurrentText("Yes");
    test::Find<QDoubleSpinBox>(form, "HeaderHeight").setValue(0.6);
    test::SetText(form, "HeaderLeft", "Shop");
    test::Find<QComboBox>(form, "HeaderPageNumber").setCurrentText("Right");
    test::Find<QComboBox>(form, "FooterVisible").setCurrentText("Yes");
    test::SetText(form, "FooterCenter", "Closing");
    test::Find<QComboBox>(form, "FooterDate").setCurrentText("Center");
    form.Notebook()->setCurrentIndex(3);  // generates
    const int pages = form.Preview()->Document().PageCount();
    ASSERT_EQ(pages, 2);
    EXPECT_EQ(form.PageLabel()->text(), "1 of 2");

    ui.ExpectPrintDialog(true);
    test::Click(form, "PrintBtn");
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    EXPECT_EQ(test::PdfPageCount(ui.PrintedFiles()[0]), pages);
    const std::vector<Word> words = PdfWords(ui.PrintedFiles()[0]);

    const double headerTop = 0.8, headerBottom = 0.8 + 0.6;
    const double footerBottom = 11 - 0.7, footerTop = footerBottom - 0.5;
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        const Word* shop = nullptr;
        const Word* number = nullptr;
        const Word* heading = nullptr;
        const Word* closing = nullptr;
        for (const Word& w : words) {
            if (w.page != page) continue;
            if (w.text == "Shop") shop = &w;
            if (w.text == QString::number(page) && w.y < headerBottom) number = &w;
            if (w.text == "Name") heading = &w;
            if (w.text == "Closing") closing = &w;
        }
        ASSERT_TRUE(shop && number && heading && closing);
        // The header within the margins, its page number at the right margin.
        EXPECT_NEAR(shop->x, 1.0, 0.05);
        EXPECT_GT(shop->y, headerTop);
        EXPECT_LT(shop->y, headerBottom);
        EXPECT_NEAR(number->right, 8.5 - 0.5, 0.05);
        // The heading row repeats at the top of the content, below the header.
        EXPECT_NEAR(heading->x, 1.0, 0.05);
        EXPECT_GE(heading->y, headerBottom - 0.01);
        EXPECT_LT(heading->y, headerBottom + 0.1);
        // The footer's caption and date between its band's edges, centred.
        EXPECT_GT(closing->y, footerTop);
        EXPECT_LT(closing->y, footerBottom);
        EXPECT_GT(closing->x, 3.0);
    }
    // Every table word stays above the footer; the date follows the caption.
    for (const Word& w : words)
        if (w.text.startsWith("row")) {
            EXPECT_LT(w.y, footerTop) << w.text.toStdString();
        }
    EXPECT_EQ(Named(words, "2006/03/10").size(), 2u);
    ASSERT_EQ(Named(words, "row100").size(), 1u);
    EXPECT_EQ(Named(words, "row100")[0].page, 2);
}

TEST_F(ReportForms, CaptionFontsPrinterSetupAndPageNavigation) {
    Store store(folder.Path());
    store.LoadInventory();
    TQuickReportForm form(folder.Path());
    form.Source = InventoryReportSource(store, {});
    form.FormActivate();
    test::Find<QComboBox>(form, "HeaderVisible").setCurrentText("Yes");
    test::Find<QComboBox>(form, "FooterVisible").setCurrentText("Yes");
    const QFont big("DejaVu Serif", 15);
    ui.ExpectMenu("Center");
    ui.ExpectFont(big);
    test::Click(form, "HeaderFontBtn");
    ui.ExpectMenuNone();  // no caption chosen: no font dialog
    test::Click(form, "FooterFontBtn");
    ui.ExpectMenu("Right");
    ui.ExpectFontCancel();
    test::Click(form, "FooterFontBtn");
    form.PreviewBtnClick();
    const ui::PageSetup& setup = form.Preview()->Document().Setup();
    EXPECT_EQ(setup.header.center.font, big);
    EXPECT_EQ(setup.header.left.font, form.font());
    EXPECT_EQ(setup.footer.right.font, form.font());
    EXPECT_EQ(setup.orientation, QPageLayout::Portrait);

    // The paper turned in the printer setup turns the preview's pages.
    ui.ExpectPrinterSetup([](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    test::Click(form, "PrinterSetupBtn");
    EXPECT_EQ(form.Preview()->Document().Setup().orientation, QPageLayout::Landscape);

    // 300 rows: the label follows the navigator.
    StringTable many;
    many.SetSize(1, 301);
    TQuickReportForm longer(folder.Path());
    longer.Source = HeadingTypedSource(many);
    longer.PreviewBtnClick();
    const int pages = longer.Preview()->Document().PageCount();
    ASSERT_GT(pages, 2);
    EXPECT_EQ(longer.PageLabel()->text(), QString("1 of %1").arg(pages));
    test::Click(*longer.Preview(), "LastPageBtn");
    EXPECT_EQ(longer.PageLabel()->text(), QString("%1 of %1").arg(pages));
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ReportForms, QuickSalesReportFromTheItemView) {
    Program p(folder.Path());
    p.view->Model().SetChecked(2, true);
    ui.ExpectModal("TViewItemForm", [](QDialog& d) {
        test::Click(d, "HistoryReportBtn");
        return QDialog::Rejected;
    });
    ui.ExpectModal("TQuickSalesForm", [](QDialog& d) {
        auto& form = static_cast<TQuickSalesForm&>(d);
        EXPECT_EQ(form.windowTitle(), "Quick Report");
        test::Click(d, "GenerateReportbtn");
        const StringTable& t = form.QuickSalesReport();
        EXPECT_EQ(t.RowCount(), 6);
        EXPECT_EQ(Column(t, 1), (std::vector<std::string>{"Quantity Sold", " 2", " 0", "3000", " 0",
                                                          "Total: 3002"}));
        test::SetChecked(d, "SearchListItemsBtn", true);
        test::Find<QComboBox>(d, "ReportType").setCurrentText("Product Return Report");
        test::Click(d, "GenerateReportbtn");
        EXPECT_EQ(Column(t, 2),
                  (std::vector<std::string>{"Refund", "$0.00", "Total: $0.00", "", "", ""}));
        EXPECT_EQ(t.Cell(0, 1), "Pin");
        return QDialog::Accepted;
    });
    p.view->ViewItem(0);
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ReportForms, QuickSalesDatesExportAndPrint) {
    Store store(folder.Path());
    store.LoadInventory();
    TQuickSalesForm form(store, {});
    form.Today = {2006, 3, 10};
    auto& from = test::Find<QLineEdit>(form, "FromDate");
    EXPECT_TRUE(from.isReadOnly());
    ui.ExpectDate(QDate(2006, 3, 5));
    form.DateClick(&from);
    ui.ExpectDate(QDate(2006, 3, 5));
    form.DateClick(&test::Find<QLineEdit>(form, "ToDate"));
    ui.ExpectDateCancel();
    form.DateClick(&from);
    EXPECT_EQ(from.text(), "2006/03/05");
    const auto dates = ui.Log(test::Dlg::Date);
    ASSERT_EQ(dates.size(), 3u);
    EXPECT_EQ(dates[0].value, "2006-03-10");  // today while the field was empty
    EXPECT_EQ(dates[2].value, "2006-03-05");

    test::Find<QComboBox>(form, "ReportType").setCurrentText("Order Report");
    form.GenerateReportbtnClick();
    const StringTable& t = form.QuickSalesReport();
    EXPECT_EQ(Column(t, 2), (std::vector<std::string>{"Cost", "$50.00", "$0.00", "$0.00", "$0.00",
                                                      "Total: $50.00"}));

    // Export: No to the overwrite question shows the dialog again.
    folder.Write("sales.csv", "old");
    const QString path = QString::fromStdString(folder.File("sales.csv"));
    ui.ExpectSaveFile(path);
    ui.ExpectConfirmation("File already exists.  Do you want to overwrite it ?", MsgAnswer::No);
    ui.ExpectSaveFile(path);
    ui.ExpectConfirmation("File already exists.  Do you want to overwrite it ?", MsgAnswer::Yes);
    ui.ExpectInformation("Data exported to " + path + ".");
    test::Click(form, "ExportBtn");
    EXPECT_EQ(folder.Read("sales.csv"), t.CSVBytes());
    ui.ExpectSaveFileCancel();
    form.ExportBtnClick();
    // A file that cannot be written says so.
    ui.ExpectSaveFile(QString::fromStdString(folder.File("no-such-folder/sales.csv")));
    ui.ExpectError(test::Containing("Cannot create"));
    form.ExportBtnClick();

    // Print: the table report on the report table, every column text.
    ui.ExpectModal("TQuickReportForm", [&](QDialog& d) {
        auto& report = static_cast<TQuickReportForm&>(d);
        EXPECT_EQ(report.Source.codes, (std::vector<int>{2, 2, 2}));
        EXPECT_EQ(report.PreviewGrid().RowCount(), t.RowCount() + 2);
        EXPECT_EQ(report.PreviewGrid().Cell(2, t.RowCount() + 1), "");  // no totals
        return QDialog::Accepted;
    });
    test::Click(form, "BitBtn1");
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ReportForms, DialogsShownWithoutTheModalLoopCloseCleanly) {
    // Their views read tables the dialogs own, also while the dialogs go.
    Store store(folder.Path());
    store.LoadInventory();
    {
        TQuickSalesForm sales(store, {});
        sales.show();
        sales.GenerateReportbtnClick();
    }
    {
        TQuickReportForm report(folder.Path());
        report.Source = InventoryReportSource(store, {});
        report.show();
        report.Notebook()->setCurrentIndex(1);
    }
    EXPECT_TRUE(ui.Finish());
}
