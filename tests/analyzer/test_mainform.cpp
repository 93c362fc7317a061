#include "analyzer/screens/mainform.h"
#include "analyzer/screens/viewlogform.h"
#include "analyzer/values.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <QDir>
#include <QLabel>
#include <QMdiArea>
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

    // A file opened later in the same run reads its dates the same way.
    ui.ExpectOpenFile(folder.QPath() + "download.csv");
    form.Open1Click();
    ASSERT_EQ(form.Windows().size(), 2);
    EXPECT_EQ(ui.Log(test::Dlg::OpenFile)[0].caption, "Comma Delimited File (*.csv)");
    EXPECT_EQ(ProgramDateFormat(), DateOrder::YearMonthDay);
    EXPECT_TRUE(ui.Finish());
}

TEST_F(MainForm, OtherStartsUseMonthFirstDatesAndOpenNothingSilently) {
    SetProgramDateFormat(DateOrder::YearMonthDay);
    form.StartUp({"nosuch.csv"}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::MonthDayYear);
    EXPECT_TRUE(form.Windows().isEmpty());
    SetProgramDateFormat(DateOrder::YearMonthDay);
    form.StartUp({}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::MonthDayYear);
    // A name that exists in the program folder but not in the current one:
    // the failure is silent and the dates stay month first.
    QDir::setCurrent(QDir::tempPath());
    form.StartUp({"InvTemp.csv"}, folder.QPath());
    EXPECT_EQ(ProgramDateFormat(), DateOrder::MonthDayYear);
    EXPECT_TRUE(ui.Messages().isEmpty());

    ui.ExpectOpenFileCancel();
    form.Open1Click();
    EXPECT_EQ(form.Windows().size(), 1);   // the empty window of the failed start stays
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
    EXPECT_FALSE(TMainForm::FindHelpPage(TEST_SOURCE_DIR, "corvane-help.html").isEmpty());
    EXPECT_FALSE(TMainForm::FindHelpPage(TEST_SOURCE_DIR, "corvane-getting-started.html").isEmpty());

    ui.ExpectModal("pellard::TAboutBox", [](QDialog& d) {
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
