#include "report_fixture.h"

#include "analyzer/screens/gridmodel.h"
#include "analyzer/screens/reportpage.h"
#include "support/scripted_platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

using namespace pellard;
using periods_test::Column;
using periods_test::Log;
using Strings = std::vector<std::string>;

namespace {

class ReportPage : public testing::Test {
protected:
    ReportPage()
        : log("Date,Card,Gross\n"
              "2001/01/01,Visa,5\n"
              "2001/01/01,VISA Debit,-9\n"
              "2001/01/03,MasterCard,5\n") {
        SetProgramDateFormat(DateOrder::YearMonthDay);
        page = std::make_unique<TReportPage>(
            TReportPage::Host{[this]() -> const LogView& { return *log.view; },
                              [this] { return fields; }, [this] { return dateColumn; },
                              [this] { return addressColumn; }, [this] { ++selectFieldsClicks; }});
        page->LoadAvailableReports();
    }
    ~ReportPage() override { SetProgramDateFormat(DateOrder::MonthDayYear); }

    QComboBox& Select() { return test::Find<QComboBox>(*page, "SelectReport"); }
    void Choose(const QString& text) {
        Select().setCurrentIndex(Select().findText(text));
        page->SelectReportChange();
    }
    void Generate() { test::Click(*page, "GenerateReportBtn"); }

    test::ScriptedPlatform ui;
    Log log;
    std::vector<FieldEntry> fields{{"Gross", 2, true}};
    std::optional<int> dateColumn = 0;
    std::optional<int> addressColumn;
    int selectFieldsClicks = 0;
    std::unique_ptr<TReportPage> page;
};

}  // namespace

TEST_F(ReportPage, ListAndDispatch) {
    EXPECT_EQ(Select().count(), 9);
    EXPECT_EQ(Select().itemText(8), "Gross Summary");
    EXPECT_EQ(Select().currentText(), "");

    ui.ExpectError("Please select report type.");
    Generate();
    EXPECT_EQ(test::TextOf(*page, "RTotal"), "3 of 3");  // refreshed after the message too
    EXPECT_EQ(page->ReportTable().RowCount(), 1);

    Select().setEditText("daily summary");  // typed, not chosen
    Generate();
    EXPECT_EQ(Column(page->ReportTable(), 0), (Strings{"2001/01/01", "2001/01/02", "2001/01/03"}));

    Choose("Card Summary");
    Generate();
    EXPECT_EQ(Column(page->ReportTable(), 0), (Strings{"MasterCard", "Visa", "VISA Debit"}));

    dateColumn.reset();
    Choose("Weekly Summary");
    ui.ExpectError("Please select date field.");
    Generate();
    EXPECT_EQ(page->ReportTable().Cell(0, 0), "Card");  // the last report stays
    ui.ExpectError("Please select address field.");
    Choose("Country Summary");
    Generate();

    page->LoadAvailableReports();  // the same list: the user's choice stays
    EXPECT_EQ(Select().currentText(), "Country Summary");
    test::Click(*page, "BitBtn4");
    EXPECT_EQ(selectFieldsClicks, 1);
}

TEST_F(ReportPage, MarksAndColours) {
    Choose("Daily Summary");
    Generate();
    // Counts 2, 0, 1: the highest is green; Total Gross -4.00 and 5.00.
    EXPECT_EQ(page->ReportGridCellColor(1, 1), TReportPage::kHighColor);
    EXPECT_EQ(page->ReportGridCellColor(1, 2), TReportPage::kLowColor);
    EXPECT_EQ(page->ReportGridCellColor(2, 1), TReportPage::kLowColor);
    EXPECT_EQ(page->ReportGridCellColor(2, 3), TReportPage::kHighColor);
    // An empty cell takes no mark: it is banded by column.
    ui.ExpectColor(Qt::blue);
    page->ColorClick(&test::Find<ColorBox>(*page, "ROtherColor"));
    ui.ExpectColorCancel();  // a cancelled dialog keeps the colour
    page->ColorClick(&test::Find<ColorBox>(*page, "ROtherColor"));
    EXPECT_EQ(page->ReportGridCellColor(3, 2), QColor(Qt::blue));  // odd column
    EXPECT_NE(page->ReportGridCellColor(2, 2), QColor(Qt::blue));
    page->SetBandByColumns(false);
    EXPECT_NE(page->ReportGridCellColor(3, 2), QColor(Qt::blue));
    EXPECT_EQ(page->ReportGridCellColor(1, 3), QColor(Qt::blue));  // odd row, count 1 unmarked
    ui.ExpectColor(Qt::red);
    page->ColorClick(&test::Find<ColorBox>(*page, "RHeaderColor"));
    EXPECT_EQ(page->ReportGridCellColor(0, 2), QColor(Qt::red));
    EXPECT_EQ(page->ReportGridCellColor(1, 0), QColor(Qt::red));
}

TEST_F(ReportPage, AbsoluteValuesRegenerateOnlyAfterAReport) {
    test::Click(*page, "ReportABS");  // nothing generated yet: no message, no table
    EXPECT_EQ(page->ReportTable().RowCount(), 1);
    Choose("Day of the Week Summary");
    test::Click(*page, "ReportABS");  // off again; still no report
    EXPECT_EQ(page->ReportTable().RowCount(), 1);
    Generate();
    EXPECT_EQ(page->ReportTable().Cell(2, 2), "-4.00");
    test::Click(*page, "ReportABS");  // on: the report is made again
    const auto& t = page->ReportTable();
    ASSERT_EQ(t.RowCount(), 8);
    EXPECT_EQ(t.Cell(2, 2), "4.00");  // Monday: |5 + -9|
    EXPECT_EQ(t.Cell(4, 2), "9.00");  // High of absolute values
}

TEST_F(ReportPage, CustomReportDialogAndReset) {
    ui.ExpectModal("TCustomReportForm", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Custom Report");
        auto& field = test::Find<QComboBox>(d, "ReportField");
        EXPECT_EQ(field.count(), 3);
        EXPECT_TRUE(test::Find<QCheckBox>(d, "PartialMatchBtn").isChecked());
        EXPECT_FALSE(test::Find<QCheckBox>(d, "CaseSensitiveBtn").isChecked());
        field.setEditText("Card");
        test::Find<QPlainTextEdit>(d, "FieldValues").setPlainText("Visa\nMasterCard");
        test::Click(d, "OKValueBtn");
        return QDialog::Rejected;
    });
    Choose("Custom Report");
    EXPECT_EQ(page->CustomReport().fieldName, "Card");
    Generate();
    EXPECT_EQ(Column(page->ReportTable(), 0), (Strings{"Visa", "MasterCard"}));
    EXPECT_EQ(Column(page->ReportTable(), 1), (Strings{"2", "1"}));

    // Cancel keeps the settings; the dialog opens with them.
    ui.ExpectModal("TCustomReportForm", [](QDialog& d) {
        EXPECT_EQ(test::Find<QComboBox>(d, "ReportField").currentText(), "Card");
        EXPECT_EQ(test::Find<QPlainTextEdit>(d, "FieldValues").toPlainText(), "Visa\nMasterCard\n");
        test::Find<QPlainTextEdit>(d, "FieldValues").clear();
        test::Click(d, "CancelBtn");
        return QDialog::Accepted;
    });
    Choose("Custom Report");
    EXPECT_EQ(page->CustomReport().values, (Strings{"Visa", "MasterCard"}));

    // OK without a value line.
    ui.ExpectModal("TCustomReportForm", [](QDialog& d) {
        test::Find<QPlainTextEdit>(d, "FieldValues").clear();
        test::Click(d, "OKValueBtn");
        return QDialog::Rejected;
    });
    Choose("Custom Report");
    ui.ExpectError("Please select custom report field values.");
    Generate();

    page->ResetCustomReport();  // the window was activated
    EXPECT_EQ(page->CustomReport().fieldName, "");
    EXPECT_TRUE(page->CustomReport().partialMatch);
    ui.ExpectError("Please select custom report field.");
    Generate();
    EXPECT_EQ(Column(page->ReportTable(), 0), (Strings{"Visa", "MasterCard"}));  // unchanged
}
