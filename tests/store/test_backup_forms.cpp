// The menu's Backup and Restore on a running store, headless.
#include "support/scripted_platform.h"
#include "support/store_program.h"
#include "support/testutil.h"

#include "store/core/backup.h"
#include "store/core/datafolder.h"
#include "store/core/screens/BackupForms.h"
#include "store/core/screens/TMenuForm.h"
#include "store/inventory/screens/TView.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace brenvik;
namespace fs = std::filesystem;
using test::Containing;
using test::ScriptedPlatform;

namespace {

using test::Program;

std::map<std::string, std::string> StoreBytes(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : StoreFiles(folder)) files[name] = test::ReadBytes(folder + name);
    return files;
}

// A store written by the program itself: two items, one customer.
void MakeStore(const test::TempFolder& dir) {
    ScriptedPlatform ui;
    Program p(dir.Path());
    Store& s = p.view->GetStore();
    for (const char* name : {"Hat", "Scarf"}) s.Data.SetCell(0, s.AppendItem(), name);
    s.CustomerData.SetRowCount(2);
    s.CustomerData.SetCell(1, 1, "Ann");
    ASSERT_TRUE(p.menu->FormClose());
}

// Chooses the backup of the list's row `row` and presses the button.
ScriptedPlatform::ModalFn Choose(int row, const char* button = "OKBtn") {
    return [=](QDialog& d) {
        auto& form = static_cast<TRestoreForm&>(d);
        form.BackupList()->setCurrentItem(form.BackupList()->topLevelItem(row));
        test::Click(d, button);
        return QDialog::Rejected;
    };
}

}  // namespace

TEST(BackupMenu, StartAndBackupWriteArchivesOfTheStoreAsTheWindowsHoldIt) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    StartupBackup(dir.Path());  // an empty folder: nothing to keep
    EXPECT_FALSE(fs::exists(BackupFolder(dir.Path())));
    MakeStore(dir);
    StartupBackup(dir.Path());
    ASSERT_EQ(ListBackups(dir.Path()).size(), 1u);

    Program p(dir.Path());
    p.view->GetStore().Data.SetCell(0, p.view->GetStore().AppendItem(), "Coat");
    ui.ExpectInformation(
        Containing("The backup of the store was written to\n" + dir.QPath() + "backups/store-"));
    p.menu->InvokeFunction("Backup");
    const auto list = ListBackups(dir.Path());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].items, 3);  // the unsaved item is in it
    EXPECT_EQ(list[1].items, 2);
    EXPECT_EQ(list[1].customers, 1);
}

TEST(BackupMenu, StartupBackupFailureIsShownAndStartGoesOn) {
    test::TempFolder dir;
    MakeStore(dir);
    dir.Write("backups", "a file where the folder should be");
    ScriptedPlatform ui;
    ui.ExpectError(Containing("Today's backup of the store could not be made"));
    StartupBackup(dir.Path());
}

TEST(BackupMenu, RestoreKeepsTheCurrentStateRestoresAndRestartsWithoutSaving) {
    test::TempFolder dir;
    MakeStore(dir);
    const auto saved = StoreBytes(dir.Path());
    WriteBackup(dir.Path(), BackupName(BackupKind::Daily, {2026, 11, 5}));

    ScriptedPlatform ui;
    Program p(dir.Path());
    Store& s = p.view->GetStore();
    s.Data.SetCell(0, s.AppendItem(), "Coat");  // not saved yet

    ui.ExpectModal("TRestoreForm", [](QDialog& d) {
        auto& form = static_cast<TRestoreForm&>(d);
        auto* list = form.BackupList();
        EXPECT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(0), "2026-11-05");
        EXPECT_EQ(list->topLevelItem(0)->text(1), "2");
        EXPECT_EQ(list->topLevelItem(0)->text(2), "1");
        EXPECT_EQ(list->topLevelItem(0)->text(3), "0");
        return Choose(0)(d);
    });
    ui.ExpectConfirmation(
        Containing("Restore the backup of 2026-11-05 (2 items, 1 customer, 0 invoices)?"),
        MsgAnswer::Yes);
    ui.ExpectInformation(Containing("The store starts again now."));
    p.menu->InvokeFunction("Restore");

    EXPECT_EQ(StoreBytes(dir.Path()), saved);
    const auto starts = ui.Log(test::Dlg::StartProgram);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].text, QCoreApplication::applicationFilePath());
    // The state before the restore, unsaved item included, is kept.
    const auto list = ListBackups(dir.Path());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0].beforeRestore);
    EXPECT_EQ(list[0].items, 3);
    // The menu closed without writing the windows' store over the files.
    EXPECT_TRUE(p.menu->FormClose());
    EXPECT_EQ(StoreBytes(dir.Path()), saved);
}

TEST(BackupMenu, RestoreChangesNothingWhenCancelledOrRefused) {
    test::TempFolder dir;
    MakeStore(dir);
    WriteBackup(dir.Path(), BackupName(BackupKind::Daily, {2026, 11, 5}));
    test::WriteBytes(BackupFolder(dir.Path()) + "store-2026-11-06.tar", "damaged");
    const auto files = StoreBytes(dir.Path());
    const QStringList archives =
        QDir(QString::fromStdString(BackupFolder(dir.Path()))).entryList(QDir::Files);

    ScriptedPlatform ui;
    Program p(dir.Path());
    // The damaged one cannot be chosen; then Cancel.
    ui.ExpectModal("TRestoreForm", [](QDialog& d) {
        auto& form = static_cast<TRestoreForm&>(d);
        EXPECT_EQ(form.BackupList()->topLevelItem(0)->text(1), "?");
        Choose(0)(d);
        EXPECT_TRUE(d.isVisible());
        test::Click(d, "CancelBtn");
        return QDialog::Rejected;
    });
    ui.ExpectError(Containing("This backup cannot be restored."));
    p.menu->InvokeFunction("Restore");
    // No to the question.
    ui.ExpectModal("TRestoreForm", Choose(1));
    ui.ExpectConfirmation(Containing("Restore the backup of 2026-11-05"), MsgAnswer::No);
    p.menu->InvokeFunction("Restore");

    EXPECT_TRUE(ui.Log(test::Dlg::StartProgram).empty());
    EXPECT_EQ(StoreBytes(dir.Path()), files);
    EXPECT_EQ(QDir(QString::fromStdString(BackupFolder(dir.Path()))).entryList(QDir::Files),
              archives);
}

TEST(BackupMenu, RestoreWithoutBackupsSaysSo) {
    test::TempFolder dir;
    ScriptedPlatform ui;
    Program p(dir.Path());
    ui.ExpectInformation(Containing("There are no backups in"));
    p.menu->InvokeFunction("Restore");
}
