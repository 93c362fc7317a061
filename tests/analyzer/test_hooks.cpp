// The analysis window's Find, Export, Print and Graph buttons, pressed as the
// user presses them.
#include "analyzer/screens/graphform.h"
#include "analyzer/screens/reportpage.h"
#include "analyzer/screens/viewlogform.h"
#include "analyzer/values.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

using namespace pellard;

namespace {

const char* kFile =
    "Date,Name,Gross\r\n"
    "2001/01/30,Ann Visa,10.00\r\n"
    "2001/02/01,Bob,20.00\r\n"
    "2001/03/02,Cy visa,5.00\r\n";

class Hooks : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDateFormat(DateOrder::YearMonthDay);
        folder.Write("log.csv", kFile);
        area.resize(1200, 900);
        area.show();
        form = new TViewLogForm;
        area.addSubWindow(form)->show();
        ASSERT_EQ(form->LoadFile(folder.QPath() + "log.csv"), TViewLogForm::LoadResult::Loaded);
        book().setCurrentIndex(TViewLogForm::ViewPage);
    }
    QTabWidget& book() { return test::Find<QTabWidget>(*form, "ViewBook"); }
    QString File(const char* name) { return folder.QPath() + name; }
    // Prints through the button's menu; returns the PDF's text.
    QString Print(const char* button, const QString& job) {
        ui.ExpectMenu("Print");
        ui.ExpectPrintDialog(true);
        test::Click(*form, button);
        const auto jobs = ui.Log(test::Dlg::PrintJob);
        if (jobs.empty()) {
            ADD_FAILURE() << button << " printed nothing";
            return {};
        }
        EXPECT_EQ(jobs.back().text, job);
        return test::PdfText(ui.PrintedFiles().back());
    }

    test::ScriptedPlatform ui;
    test::TempFolder folder;
    QMdiArea area;
    TViewLogForm* form = nullptr;  // owned by the area
};

}  // namespace

TEST_F(Hooks, FindSearchesTheViewFromItsButton) {
    test::Click(*form, "FindBtn");
    ASSERT_TRUE(ui.FindOpen());
    ui::FindOptions o;
    o.text = "visa";
    EXPECT_TRUE(ui.FindNext(o));
    const QModelIndex at = test::Find<QTableView>(*form, "LogGrid").currentIndex();
    EXPECT_EQ(at.column(), 1);
    EXPECT_EQ(at.row(), 0);  // the first data row
    ui.ExpectInformation("Bob not found.");
    o.text = "Bob";
    o.down = false;
    EXPECT_FALSE(ui.FindNext(o));  // upwards from just past the match: row 1 only
    EXPECT_FALSE(ui.FindOpen());
    EXPECT_TRUE(ui.Finish());
}

TEST_F(Hooks, ExportButtonsWriteTheViewAndTheStatistics) {
    ui.ExpectSaveFile(File("view.csv"), "Export Data");
    ui.ExpectInformation("Data exported to " + File("view.csv") + ".");
    test::Click(*form, "ExportViewBtn");
    EXPECT_EQ(folder.Read("view.csv"), kFile);

    book().setCurrentIndex(TViewLogForm::SummaryPage);
    ui.ExpectSaveFile(File("totals.csv"), "Export Data");
    ui.ExpectInformation("Data exported to " + File("totals.csv") + ".");
    test::Click(*form, "ExportTotalsBtn");
    const std::string totals = folder.Read("totals.csv");
    EXPECT_EQ(totals.substr(0, totals.find('\r')), "Field,Total,Average,High,Low");
    EXPECT_NE(totals.find("Gross,35.00"), std::string::npos) << totals;

    // Cancelling the dialog writes nothing and says nothing.
    ui.ExpectSaveFileCancel();
    test::Click(*form, "ExportViewBtn");
    EXPECT_EQ(folder.Files(), QStringList({"log.csv", "totals.csv", "view.csv"}));
    EXPECT_TRUE(ui.Finish());
}

TEST_F(Hooks, EachPagesPrintButtonPrintsItsOwnTable) {
    EXPECT_TRUE(Print("PrintViewBtn", "View").contains("Ann Visa"));
    const QString filters = Print("PrintFiltersBtn", "Filters");
    EXPECT_TRUE(filters.contains("Type"));
    EXPECT_FALSE(filters.contains("Ann Visa"));
    book().setCurrentIndex(TViewLogForm::SummaryPage);
    const QString summary = Print("PrintSummaryBtn", "Data Summary");
    EXPECT_TRUE(summary.contains("Average"));
    EXPECT_FALSE(summary.contains("Ann Visa"));
    EXPECT_EQ(ui.Log(test::Dlg::Menu)[0].items, QStringList({"Print Settings", "Print"}));

    // A dismissed menu prints nothing.
    ui.ExpectMenuNone();
    test::Click(*form, "PrintViewBtn");
    EXPECT_EQ(ui.PrintedFiles().size(), 3u);
    EXPECT_TRUE(ui.Finish());
}

TEST_F(Hooks, ReportButtonsGraphExportAndPrintTheReport) {
    book().setCurrentIndex(TViewLogForm::ReportPage);
    auto& reports = test::Find<QComboBox>(*form, "SelectReport");
    const int monthly = reports.findText("Monthly Summary");
    ASSERT_GE(monthly, 0);
    reports.setCurrentIndex(monthly);
    test::Click(*form, "GenerateReportBtn");
    const brenvik::StringTable& report = form->Report().ReportTable();
    ASSERT_EQ(report.RowCount(), 4);

    ui.ExpectMenu("Total Gross");
    test::Click(*form, "GraphReportBtn");
    TGraphForm* graph = nullptr;
    for (QMdiSubWindow* sub : area.subWindowList())
        if (auto* g = qobject_cast<TGraphForm*>(sub->widget())) graph = g;
    ASSERT_TRUE(graph) << "no graph window in the frame";
    EXPECT_EQ(graph->windowTitle(), "Graph Total Gross");
    EXPECT_EQ(graph->Data().values, std::vector<double>({10, 20, 5}));

    ui.ExpectSaveFile(File("report.csv"), "Export Data");
    ui.ExpectInformation("Data exported to " + File("report.csv") + ".");
    test::Click(*form, "Ex");
    const std::string written = folder.Read("report.csv");
    EXPECT_EQ(written.substr(0, 6), "Month,");
    EXPECT_NE(written.find("2001/02"), std::string::npos) << written;

    const QString printed = Print("PrintReportBtn", "Report");
    EXPECT_TRUE(printed.contains("Total Gross"));
    EXPECT_FALSE(printed.contains("Ann Visa"));
    EXPECT_TRUE(ui.Finish());
}
