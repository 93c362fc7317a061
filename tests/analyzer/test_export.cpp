#include "analyzer/exporttable.h"
#include "analyzer/screens/exporttable.h"
#include "analyzer/screens/viewlogform.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace pellard;

namespace {

class Export : public ::testing::Test {
protected:
    void SetUp() override {
        pellard::LogTable t;
        t.LoadBytes(
            "Date,Name,Gross,Note\r\n2001/01/30,\"Smith, Ann\",10.00,\r\n"
            "2001/02/01,Bob,20.00,x\r\n");
        form = std::make_unique<TViewLogForm>();
        form->LoadTable(std::move(t));
    }
    QString File(const char* name) { return folder.QPath() + name; }

    test::ScriptedPlatform ui;
    test::TempFolder folder;
    std::unique_ptr<TViewLogForm> form;
};

TEST_F(Export, ViewIsWrittenAsShownWithHeader) {
    ui.ExpectSaveFile(File("view"), "Export Data");
    ui.ExpectInformation("Data exported to " + File("view.csv") + ".");
    EXPECT_TRUE(ExportView(form->View()));
    EXPECT_EQ(folder.Read("view.csv"),
              "Date,Name,Gross,Note\r\n2001/01/30,\"Smith, Ann\",10.00,\"\"\r\n"
              "2001/02/01,Bob,20.00,x\r\n");
    EXPECT_EQ(ui.Log(test::Dlg::SaveFile)[0].caption, "Comma Delimited File (*.csv)");
}

TEST_F(Export, StatisticsTable) {
    ui.ExpectSaveFile(File("stats.csv"));
    ui.ExpectInformation(test::Containing("stats.csv."));
    EXPECT_TRUE(ExportTable(form->StatGrid()));
    EXPECT_EQ(folder.Read("stats.csv"),
              "Field,Total,Average,High,Low\r\nGross,30.00,15.00,20.00,10.00\r\n");
}

TEST_F(Export, OverwriteQuestion) {
    folder.Write("old.csv", "keep");
    // No asks for another name; Yes replaces.
    ui.ExpectSaveFile(File("old.csv"));
    ui.ExpectConfirmation("File already exists.  Do you want to overwrite it ?",
                          test::MsgAnswer::No);
    ui.ExpectSaveFile(File("old.csv"));
    ui.ExpectConfirmation(test::Any(), test::MsgAnswer::Yes);
    ui.ExpectInformation(test::Any());
    EXPECT_TRUE(ExportTable(form->StatGrid()));
    EXPECT_NE(folder.Read("old.csv"), "keep");

    // No, then Cancel: nothing written, no message.
    folder.Write("old.csv", "keep");
    ui.ExpectSaveFile(File("old.csv"));
    ui.ExpectConfirmation(test::Any(), test::MsgAnswer::No);
    ui.ExpectSaveFileCancel();
    EXPECT_FALSE(ExportTable(form->StatGrid()));
    EXPECT_EQ(folder.Read("old.csv"), "keep");
}

TEST_F(Export, FileThatCannotBeCreatedIsReported) {
    const QString bad = folder.QPath() + "missing/x.csv";
    ui.ExpectSaveFile(bad);
    ui.ExpectError("Cannot create file " + bad);
    EXPECT_FALSE(ExportView(form->View()));
}

TEST(ViewTable, NoColumnsKeepsOneRowPerTransaction) {
    LogBase base;
    base.LoadBytes("A,B\r\n1,2\r\n3,4\r\n");
    LogView view(base);
    auto entries = FieldEntries(base, false);
    view.Refresh(entries, nullptr);
    brenvik::StringTable out = ViewTable(view);
    EXPECT_EQ(out.RowCount(), 3);
    EXPECT_EQ(out.CSVBytes(), "\"\"\r\n\"\"\r\n\"\"\r\n");
}

}  // namespace
