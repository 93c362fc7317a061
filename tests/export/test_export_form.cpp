// The export dialog: field order and choice, Save with its overwrite
// question, Analyze handing the table to the analyzer, and the callers'
// "No items are selected.".
#include "scripted_platform.h"
#include "testutil.h"

#include "store/inventory/screens/InventoryModel.h"
#include "store/inventory/store.h"
#include "store/reports/export.h"
#include "store/reports/screens/TExportForm.h"
#include "store/reports/screens/handoff.h"

#include <QListWidget>
#include <QTabWidget>

#include "sample.h"

#include <gtest/gtest.h>

using namespace brenvik;

using brenvik::MsgAnswer;
using brenvik::StringTable;

namespace {

class ExportForm : public ::testing::Test {
protected:
    test::ScriptedPlatform ui;
    test::TempFolder folder;
};

}  // namespace

TEST_F(ExportForm, SaveWritesTheChosenOrderWithoutOpeningPreview) {
    std::string path = folder.File("out.csv");
    ui.ExpectModal("TExportForm", [&](QDialog& d) {
        auto& fields = test::Find<QListWidget>(d, "FieldList");
        EXPECT_EQ(fields.count(), 3);
        fields.setCurrentRow(2);
        test::Click(d, "MoveUpBtn");  // Item, Note, Price
        fields.item(0)->setCheckState(Qt::Unchecked);
        fields.setCurrentRow(0);
        test::Click(d, "MoveDownBtn");  // Note, Item (unchecked), Price
        test::Click(d, "ExportBtn");
        return QDialog::Accepted;
    });
    ui.ExpectSaveFile(QString::fromStdString(path), "Export Data");
    ui.ExpectInformation(QString::fromStdString("Data exported to " + path + "."));
    ExportTable(Sample(), folder.Path());
    EXPECT_EQ(test::ReadBytes(path), "Note,Price\r\n\"blue, fine\",1.50\r\nx,\"\"\r\n");
    auto saves = ui.Log(test::Dlg::SaveFile);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].value, QString());  // no name proposed
}

TEST_F(ExportForm, PreviewShowsTheExportGridAndNoFieldGivesOneEmptyColumn) {
    TExportForm form(folder.Path());
    form.BufferGrid = Sample();
    form.FormActivate();
    form.FormActivate();  // filled once
    ASSERT_EQ(form.FieldList()->count(), 3);
    for (int i = 0; i < 3; ++i) form.FieldList()->item(i)->setCheckState(Qt::Unchecked);
    form.ExportBook()->setCurrentIndex(1);
    EXPECT_EQ(form.ExportGrid().CSVBytes(), "\"\"\r\n\"\"\r\n\"\"\r\n");
}

TEST_F(ExportForm, OverwriteNoOffersTheDialogAgainThenCancelWritesNothing) {
    folder.Write("old.csv", "old");
    QString path = QString::fromStdString(folder.File("old.csv"));
    TExportForm form(folder.Path());
    form.BufferGrid = Sample();
    ui.ExpectSaveFile(path);
    ui.ExpectDestructive("File already exists.  Do you want to overwrite it ?", MsgAnswer::No);
    ui.ExpectSaveFileCancel();
    form.ExportBtnClick();
    EXPECT_EQ(folder.Read("old.csv"), "old");

    ui.ExpectSaveFile(path);
    ui.ExpectDestructive("File already exists.  Do you want to overwrite it ?", MsgAnswer::Yes);
    ui.ExpectInformation(test::Containing("Data exported to "));
    form.ExportBtnClick();
    EXPECT_EQ(folder.Read("old.csv"), Sample().CSVBytes());
}

TEST_F(ExportForm, UnwritableFileShowsTheErrorAndTheDialogStays) {
    TExportForm form(folder.Path());
    form.BufferGrid = Sample();
    std::string path = folder.File("no/such/dir/x.csv");
    ui.ExpectSaveFile(QString::fromStdString(path));
    ui.ExpectError("Cannot create file " + QString::fromStdString(path));
    form.ExportBtnClick();
    EXPECT_EQ(form.result(), 0);
}

TEST_F(ExportForm, AnalyzeWritesTheTemporaryFileAndStartsTheAnalyzerEachTime) {
    TExportForm form(folder.Path());
    form.BufferGrid = Sample();
    form.FormActivate();
    form.FieldList()->item(1)->setCheckState(Qt::Unchecked);
    form.InvoiceReportBtnClick();
    EXPECT_EQ(folder.Read("ExpTemp.csv"), "Item,Note\r\nPen,\"blue, fine\"\r\nInk,x\r\n");
    form.FieldList()->item(2)->setCheckState(Qt::Unchecked);
    form.InvoiceReportBtnClick();
    EXPECT_EQ(folder.Read("ExpTemp.csv"), "Item\r\nPen\r\nInk\r\n");

    auto starts = ui.Log(test::Dlg::StartProgram);
    ASSERT_EQ(starts.size(), 2u);
    for (const auto& s : starts) {
        EXPECT_TRUE(s.text.endsWith("pellard")) << s.text.toStdString();
        EXPECT_EQ(s.items, QStringList{"ExpTemp.csv"});
        EXPECT_EQ(s.dir, folder.QPath());
    }
}

TEST_F(ExportForm, HandOffUsesTheGivenNameAndFolder) {
    HandOffToAnalyzer(Sample(), folder.Path(), brenvik::kInvoiceTempFile);
    EXPECT_EQ(folder.Read("IvTemp.csv"), Sample().CSVBytes());
    auto starts = ui.Log(test::Dlg::StartProgram);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].items, QStringList{"IvTemp.csv"});
    EXPECT_EQ(starts[0].dir, folder.QPath());
}

TEST_F(ExportForm, ExportCheckedWithNothingCheckedOpensNoDialog) {
    ui.ExpectError("No items are selected.");
    ExportCheckedRows(
        Sample(), [](int) { return false; }, folder.Path());
    EXPECT_TRUE(ui.Modals().isEmpty());

    ui.ExpectModal("TExportForm", [](QDialog& d) {
        auto& form = static_cast<TExportForm&>(d);
        EXPECT_EQ(form.BufferGrid.CSVBytes(), "Item,Price,Note\r\nInk,\"\",x\r\n");
        return QDialog::Accepted;
    });
    ExportCheckedRows(
        Sample(), [](int item) { return item == 1; }, folder.Path());
}

TEST_F(ExportForm, ExportCheckedInventoryWritesTheHeadingAndTheCheckedItem) {
    brenvik::Store store(folder.Path());
    store.LoadInventory();
    for (const char* name : {"Pen", "Ink", "Pad"}) {
        int row = store.AppendItem();
        std::vector<std::string> values = store.ItemValues(row);
        values[1] = name;
        store.SetItemValues(row, values);
    }
    InventoryModel list(store);

    ui.ExpectError("No items are selected.");
    ExportCheckedInventory(store, list);
    EXPECT_TRUE(ui.Modals().isEmpty());

    list.SetChecked(1, true);
    std::string path = folder.File("checked.csv");
    ui.ExpectModal("TExportForm", [](QDialog& d) {
        test::Click(d, "ExportBtn");
        return QDialog::Accepted;
    });
    ui.ExpectSaveFile(QString::fromStdString(path));
    ui.ExpectInformation(test::Containing("Data exported to "));
    ExportCheckedInventory(store, list);
    std::string bytes = test::ReadBytes(path);
    auto lines = QString::fromStdString(bytes).split("\r\n");
    ASSERT_EQ(lines.size(), 3);  // heading, the item, and the end of the last line
    EXPECT_TRUE(lines[0].startsWith("Date Added,Item,Bar Code,"));
    EXPECT_TRUE(lines[1].contains(",Ink,"));
    EXPECT_EQ(lines[2], "");
}
