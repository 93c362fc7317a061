// brenvik-data sales-report and table-report end to end: the built tool on
// the sample store gives byte for byte the tables the dialogs build on the
// same store; wrong arguments and unsafe outputs are refused.
#include "support/scripted_platform.h"
#include "support/testutil.h"
#include "tools/tool_fixture.h"

#include "report_fixture.h"

#include "store/inventory/store.h"
#include "store/reports/screens/TQuickReportForm.h"
#include "store/reports/screens/TQuickSalesForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace brenvik;
using namespace reports_test;

namespace {

class ReportCommands : public BrenvikData {
protected:
    void SetUp() override {
        BrenvikData::SetUp();
        WriteSampleStore(dir_);
    }
    test::ScriptedPlatform ui;
};

}  // namespace

TEST_F(ReportCommands, SalesReportGivesTheDialogsTable) {
    Store s(dir_);
    s.LoadInventory();
    // The list's check marks the dialog is given: rows 2 and 3.
    auto secondAndThird = [](int item) { return item == 1 || item == 2; };
    struct Case {
        std::vector<std::string> options;
        std::function<void(QDialog&)> choose;
        std::function<bool(int)> checked;
    } cases[] = {
        {{"--kind", "sale"}, [](QDialog&) {}, secondAndThird},
        {{"--kind", "order", "--from", "2006/03/05", "--to", "2006/03/05"},
         [](QDialog& d) {
             test::Find<QComboBox>(d, "ReportType").setCurrentText("Order Report");
             test::Find<QLineEdit>(d, "FromDate").setText("2006/03/05");
             test::Find<QLineEdit>(d, "ToDate").setText("2006/03/05");
         },
         secondAndThird},
        {{"--kind", "return", "--items", "2,3"},
         [](QDialog& d) {
             test::Find<QComboBox>(d, "ReportType").setCurrentText("Product Return Report");
             test::SetChecked(d, "SearchListItemsBtn", true);
         },
         secondAndThird},
        {{"--kind", "sale", "--items", ""},
         [](QDialog& d) { test::SetChecked(d, "SearchListItemsBtn", true); },
         [](int) { return false; }},
        {{"--kind", "sale", "--items", "all"}, [](QDialog&) {}, secondAndThird},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"sales-report", dir_};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {"-o", Path("sales.csv")});
        const Result r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;

        TQuickSalesForm form(s, c.checked);
        c.choose(form);
        form.GenerateReportbtnClick();
        EXPECT_EQ(File("sales.csv"), form.QuickSalesReport().CSVBytes()) << c.options[1];
    }
    // The long history counts whole; empty rows follow the totals.
    EXPECT_EQ(Run({"sales-report", dir_, "--kind", "sale", "-o", Path("s.csv")}).status, 0);
    EXPECT_EQ(File("s.csv"),
              "Item,Quantity Sold,Revenue\r\nHat, 2,$20.00\r\nCap, 0,$0.00\r\n"
              "Pin,3000,$750.00\r\nRing, 0,$0.00\r\n\"\",Total: 3002,Total: $770.00\r\n");
}

TEST_F(ReportCommands, TableReportGivesTheDialogsTable) {
    Store s(dir_);
    s.LoadInventory();
    using Setup = std::function<void(TQuickReportForm&)>;
    struct Case {
        std::vector<std::string> options;
        std::function<bool(int)> checked;
        Setup choose;
    } cases[] = {
        {{}, {}, [](TQuickReportForm&) {}},
        {{"--fields", "quantity,Item"},
         {},
         [](TQuickReportForm& f) {
             for (int i = 0; i < f.FieldList()->count(); ++i)
                 f.FieldList()->item(i)->setCheckState(
                     i == kItem || i == kQuantity ? Qt::Checked : Qt::Unchecked);
             f.FieldList()->setCurrentRow(kQuantity);
             for (int i = 0; i < kQuantity; ++i) f.MoveUpBtnClick();
         }},
        {{"--records", "2,4"},
         [](int item) { return item == 1 || item == 3; },
         [](TQuickReportForm& f) { f.ModesClick(RecordMode::CheckedRecords); }},
        {{"--where", "Date Added=2006/03/01..2006/04/30", "--where", "item=HAT"},
         {},
         [&](TQuickReportForm& f) {
             ui.ExpectModal("TEditDateRangeForm", [](QDialog& d) {
                 test::SetText(d, "FromDate", "2006/03/01");
                 test::SetText(d, "ToDate", "2006/04/30");
                 test::Click(d, "OKBtn");
                 return QDialog::Rejected;
             });
             f.SelectGridMouseDown(kDateAdded, 1);
             ui.ExpectInput("Enter Value", "HAT");
             f.SelectGridMouseDown(kItem, 1);
         }},
        {{"--where", "Cost=..3"},
         {},
         [&](TQuickReportForm& f) {
             ui.ExpectModal("TEditNumericRangeForm", [](QDialog& d) {
                 test::SetText(d, "ToEdit", "3");
                 test::Click(d, "OKBtn");
                 return QDialog::Rejected;
             });
             f.SelectGridMouseDown(kCost, 1);
         }},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"table-report", dir_, "--table", "inventory"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {"-o", Path("table.csv")});
        const Result r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;

        TQuickReportForm form(dir_);
        form.Source = InventoryReportSource(s, c.checked);
        form.FormActivate();
        c.choose(form);
        EXPECT_EQ(File("table.csv"), form.PreviewGrid().CSVBytes())
            << (c.options.empty() ? "" : c.options[1]);
    }
    EXPECT_TRUE(ui.Finish());

    // The customers, typed by their headings; its dates compare whole.
    ASSERT_EQ(Run({"table-report", dir_, "--table", "customers", "--fields", "Last Name", "--where",
                   "date added=2006/01/01..2006/12/31", "-o", Path("c.csv")})
                  .status,
              0);
    EXPECT_EQ(File("c.csv"), "Last Name\r\nSmith\r\n\"\"\r\n\"\"\r\n");
}

TEST_F(ReportCommands, TableReportPdfHoldsThePages) {
    const Result r = Run({"table-report", dir_, "--table", "inventory", "--fields", "Item,Quantity",
                          "-o", Path("report.pdf")});
    ASSERT_EQ(r.status, 0) << r.err;
    const QString pdf = QString::fromStdString(Path("report.pdf"));
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    const QString text = test::PdfText(pdf);
    for (const char* word : {"Item", "Quantity", "Ring", "Total: 56.00"})
        EXPECT_TRUE(text.contains(word)) << word;
}

TEST_F(ReportCommands, WrongArgumentsAndUnsafeOutputs) {
    const std::string inventory = File("Inventory.dt2");
    const std::string out = Path("o.csv");
    struct Case {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"sales-report"}, 2},
        {{"sales-report", dir_, "--kind", "sale"}, 2},
        {{"sales-report", dir_, "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "gift", "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "sale", "--from", "2006/3/1", "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "sale", "--to", "2006/02/30", "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "sale", "--items", "5", "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "sale", "--items", "0", "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "sale", "--items", "1,x", "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "sale", "--kind", "order", "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "sale", "--colour", "red", "-o", out}, 2},
        {{"sales-report", Path("missing"), "--kind", "sale", "-o", out}, 2},
        {{"sales-report", dir_, "--kind", "sale", "-o", Path("Inventory.dt2")}, 1},
        {{"sales-report", dir_, "--kind", "sale", "-o", Path("ITEM3.IHF")}, 1},
        {{"table-report", dir_, "-o", out}, 2},
        {{"table-report", dir_, "--table", "invoices", "-o", out}, 2},
        {{"table-report", dir_, "--table", "inventory", "-o", Path("o.txt")}, 2},
        {{"table-report", dir_, "--table", "inventory", "--fields", "Colour", "-o", out}, 2},
        {{"table-report", dir_, "--table", "inventory", "--where", "Colour=red", "-o", out}, 2},
        {{"table-report", dir_, "--table", "inventory", "--where", "Cost=5", "-o", out}, 2},
        {{"table-report", dir_, "--table", "inventory", "--where", "Date Added=x..", "-o", out}, 2},
        {{"table-report", dir_, "--table", "inventory", "--where", "Item", "-o", out}, 2},
        {{"table-report", dir_, "--table", "inventory", "--where", "Item=Hat", "--records", "1",
          "-o", out},
         2},
        {{"table-report", dir_, "--table", "customers", "--records", "4", "-o", out}, 2},
    };
    for (const Case& c : cases) {
        const Result r = Run(c.args);
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        EXPECT_EQ(r.status, c.status) << line << r.err;
        EXPECT_FALSE(r.err.empty()) << line;
    }
    EXPECT_EQ(File("Inventory.dt2"), inventory);
    EXPECT_FALSE(std::filesystem::exists(Path("o.csv")));
    EXPECT_FALSE(std::filesystem::exists(Path("o.txt")));

    const Result help = Run({"--help"});
    EXPECT_NE(help.out.find("sales-report DIR --kind sale|order|return"), std::string::npos);
    EXPECT_NE(help.out.find("table-report DIR --table inventory|customers"), std::string::npos);
}
