#include "analyzer/screens/mainform.h"
#include "analyzer/screens/reportpage.h"
#include "analyzer/screens/viewlogform.h"
#include "analyzer/values.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"
#include "ui/helppage.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace pellard;

namespace {

class MainForm : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("InvTemp.csv", "Date,Total\r\n2001/01/30,5.00\r\n");
        folder.Write("download.csv", "Date,Gross\r\n01/30/2001,5.00\r\n");
        saved = QDir::currentPath();
        QDir::setCurrent(folder.QPath());
    }
    void TearDown() override { QDir::setCurrent(saved); }

    test::ScriptedPlatform ui;
    test::TempFolder folder;
    QString saved;
    TMainForm form;
};

}  // namespace

TEST_F(MainForm, CommandLineFileOfTheProgramFolderSetsYearFirstDates) {
    SetProgramDateFormat(DateOrder::MonthDayYear);
    form.StartUp({"InvTemp.csv"}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::YearMonthDay);
    ASSERT_EQ(form.Windows().size(), 1);
    EXPECT_EQ(form.Windows()[0]->windowTitle(), "Analyze Log");
    EXPECT_EQ(form.Windows()[0]->Base().TransactionCount(), 1);

    // A file opened later in the same run reads its dates as it writes
    // them; the store's file keeps its year-first dates.
    ui.ExpectOpenFile(folder.QPath() + "download.csv");
    form.Open1Click();
    ASSERT_EQ(form.Windows().size(), 2);
    EXPECT_EQ(ui.Log(test::Dlg::OpenFile)[0].caption, "Comma Delimited File (*.csv)");
    EXPECT_EQ(form.Windows()[1]->Base().DateFormat(), DateOrder::MonthDayYear);
    EXPECT_EQ(form.Windows()[0]->Base().DateFormat(), DateOrder::YearMonthDay);
    EXPECT_TRUE(ui.Finish());
}

TEST_F(MainForm, OtherStartsUseMonthFirstDatesAndOpenNothingSilently) {
    SetProgramDateFormat(DateOrder::YearMonthDay);
    form.StartUp({"nosuch.csv"}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::MonthDayYear);
    EXPECT_TRUE(form.Windows().isEmpty());
    form.StartUp({folder.QPath() + "gone/nosuch.csv"}, folder.QPath());
    EXPECT_TRUE(form.Windows().isEmpty());
    SetProgramDateFormat(DateOrder::YearMonthDay);
    form.StartUp({}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::MonthDayYear);
    EXPECT_TRUE(ui.Messages().isEmpty());

    ui.ExpectOpenFileCancel();
    form.Open1Click();
    EXPECT_TRUE(form.Windows().isEmpty());
    EXPECT_TRUE(ui.Finish());
}

TEST_F(MainForm, NameOfTheProgramFolderIsOpenedFromThereWhateverTheCurrentFolder) {
    test::TempFolder elsewhere;
    elsewhere.Write("InvTemp.csv", "Date,Total\r\n2001/01/30,5.00\r\n2001/01/31,6.00\r\n");
    QDir::setCurrent(elsewhere.QPath());
    SetProgramDateFormat(DateOrder::MonthDayYear);
    form.StartUp({"InvTemp.csv"}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::YearMonthDay);
    ASSERT_EQ(form.Windows().size(), 1);
    EXPECT_EQ(form.Windows()[0]->Base().TransactionCount(), 1);  // the program folder's file
    EXPECT_TRUE(ui.Messages().isEmpty());
}

TEST_F(MainForm, OtherExistingFilesOpenWithMonthFirstDates) {
    test::TempFolder elsewhere;
    elsewhere.Write("bank.csv", "Date,Gross\r\n01/30/2001,5.00\r\n01/31/2001,7.00\r\n");
    ASSERT_TRUE(QDir(elsewhere.QPath()).mkdir("sub"));
    elsewhere.Write("sub/cards.csv", "Date,Gross\r\n02/01/2001,1.00\r\n");

    // By absolute path.
    SetProgramDateFormat(DateOrder::YearMonthDay);
    form.StartUp({elsewhere.QPath() + "bank.csv"}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::MonthDayYear);
    ASSERT_EQ(form.Windows().size(), 1);
    EXPECT_EQ(form.Windows()[0]->Base().TransactionCount(), 2);

    // Relative to the current folder only.
    QDir::setCurrent(elsewhere.QPath());
    SetProgramDateFormat(DateOrder::YearMonthDay);
    form.StartUp({"sub/cards.csv"}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::MonthDayYear);
    ASSERT_EQ(form.Windows().size(), 2);
    EXPECT_EQ(form.Windows()[1]->Base().TransactionCount(), 1);

    // A folder is not a file.
    form.StartUp({"sub"}, folder.QPath());
    EXPECT_EQ(form.Windows().size(), 2);
    EXPECT_TRUE(ui.Messages().isEmpty());
}

TEST_F(MainForm, CalculatorButtonOpensTheCalculator) {
    auto& button = test::Find<QToolButton>(form, "TBCalculatorBtn");
    EXPECT_TRUE(button.isEnabled());
    ui.ExpectModal("TTheCalculator", [](QDialog& d) {
        EXPECT_TRUE(d.isVisible());
        return QDialog::Rejected;
    });
    test::Click(form, "TBCalculatorBtn");
    EXPECT_EQ(ui.Modals(), QStringList({"TTheCalculator"}));
    EXPECT_TRUE(ui.Finish());
}

TEST_F(MainForm, OpenErrorIsShownAndTheEmptyWindowStays) {
    ui.ExpectOpenFile(folder.QPath() + "gone.csv");
    ui.ExpectError(test::Containing("Cannot open file"));
    form.Open1Click();
    EXPECT_EQ(form.Windows().size(), 1);
    EXPECT_TRUE(ui.Finish());
}

TEST_F(MainForm, HelpAboutAndCalendar) {
    const QString tests = QString::fromStdString(test::SourceDir());
    EXPECT_FALSE(ui::FindHelpPage(tests, "corvane-help.html").isEmpty());
    EXPECT_FALSE(ui::FindHelpPage(tests, "corvane-getting-started.html").isEmpty());

    ui.ExpectModal("TAboutBox", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "About");
        EXPECT_TRUE(test::TextOf(d, "ProductName").contains("Corvane"));
        EXPECT_EQ(test::TextOf(d, "Version"), "Version 1.0");
        emit test::Find<QLabel>(d, "WebLink").linkActivated(TAboutBox::kWebSite);
        test::Click(d, "OKButton");
        return QDialog::Rejected;
    });
    form.AboutClick();
    EXPECT_EQ(ui.Urls(), QStringList({TAboutBox::kWebSite}));

    ui.ExpectDateCancel();
    test::Click(form, "TBCalenderBtn");
    EXPECT_EQ(test::TextOf(form, "TBHelpBtn"), "Help");
    EXPECT_EQ(test::Find<QToolButton>(form, "TBCalculatorBtn").toolTip(), "Show Calculator");
    EXPECT_EQ(form.windowTitle(), "Corvane");
    EXPECT_TRUE(ui.Finish());
}

TEST_F(MainForm, HandedOverFileHasItsFieldSummariesAndSwitchingWindowsResetsCustomReports) {
    form.StartUp({"InvTemp.csv"}, folder.QPath());
    ASSERT_EQ(form.Windows().size(), 1);
    TViewLogForm* first = form.Windows()[0];
    EXPECT_GE(test::Find<QComboBox>(*first, "SelectReport").findText("Total Summary"), 0);
    EXPECT_EQ(test::TextOf(*first, "DateFormatBox"), "yyyy/mm/dd");

    ui.ExpectModal("TCustomReportForm", [](QDialog& d) {
        test::Find<QComboBox>(d, "ReportField").setCurrentText("Total");
        test::Find<QPlainTextEdit>(d, "FieldValues").setPlainText("5");
        test::Click(d, "OKValueBtn");
        return QDialog::Accepted;
    });
    auto& reports = test::Find<QComboBox>(*first, "SelectReport");
    reports.setCurrentIndex(reports.findText("Custom Report"));
    first->Report().SelectReportChange();
    ASSERT_EQ(first->Report().CustomReport().fieldName, "Total");

    // A download opened by hand reads its dates the way the file writes them.
    ui.ExpectOpenFile(folder.QPath() + "download.csv");
    form.Open1Click();
    ASSERT_EQ(form.Windows().size(), 2);
    EXPECT_EQ(test::TextOf(*form.Windows()[1], "DateFormatBox"), "mm/dd/yyyy");
    form.Area()->setActiveSubWindow(form.Area()->subWindowList()[0]);
    EXPECT_EQ(first->Report().CustomReport().fieldName, "");
    EXPECT_TRUE(ui.Finish());
}

TEST_F(MainForm, EveryToolbarButtonHasAnIconThatDraws) {
    for (const char* name :
         {"OpenFileBtn", "TBCloseAppBtn", "TBHelpBtn", "TBCalculatorBtn", "TBCalenderBtn"}) {
        auto& b = test::Find<QToolButton>(form, name);
        EXPECT_FALSE(b.icon().pixmap(QSize(16, 16)).isNull()) << name;
    }
}
