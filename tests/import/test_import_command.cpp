// brenvik-data import end to end: the table it saves is byte for byte what
// the store program saves after the same import through the dialog; bad
// arguments and refusals change nothing.
#include "scripted_platform.h"
#include "testutil.h"
#include "tools/tool_fixture.h"

#include "store/core/screens/TMenuForm.h"
#include "store/inventory/history.h"
#include "store/inventory/screens/TView.h"
#include "store/inventory/store.h"
#include "store/reports/screens/TImportForm.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>

using namespace brenvik;

namespace {

// A store with two items (the first with a history) and customers with an
// empty row between two records.
void WriteStore(const std::string& folder) {
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().extension() == ".dt2" || EndsWithIhf(e.path().filename().string()))
            std::filesystem::remove(e.path());
    Store s(folder);
    s.LoadInventory();
    s.Data.SetRowCount(3);
    s.Data.SetCell(GridField(s.Data, "Item"), 1, "Modem");
    s.Data.SetCell(GridField(s.Data, "Quantity"), 1, "4");
    s.Data.SetCell(GridField(s.Data, "Item"), 2, "Scanner");
    s.SyncHistories();
    s.Histories[1] = {"2026/01/02", "Delivery", "", "5", "$50.00", ""};
    s.ComputeDerivedFields();
    s.CustomerData.SetRowCount(4);
    s.CustomerData.SetCell(1, 1, "Berg");
    s.CustomerData.SetCell(1, 3, "Dahl");
    s.SaveData();
    s.SaveCustomers();
    s.SaveHistories();
}

// The data files of a folder: name -> bytes.
std::map<std::string, std::string> DataFiles(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.ends_with(".dt2") || EndsWithIhf(name)) files[name] = test::ReadBytes(e.path());
    }
    return files;
}

class ImportCommand : public BrenvikData {
protected:
    void SetUp() override {
        BrenvikData::SetUp();
        WriteStore(dir_);
    }
    test::ScriptedPlatform ui;
};

}  // namespace

TEST_F(ImportCommand, SavesWhatTheStoreProgramSavesAfterTheDialog) {
    const std::string file =
        "Item,Cost,Desired Quantity,Last Name\r\n"
        "\"Printer, laser\",\"1,200.00\",3,x\r\n"
        "Caf\xC3\xA9 table,15,\"two\nlines\",y\r\n";
    struct Case {
        const char* into;
        std::vector<std::string> maps;
        std::string file;
        // What the dialog's user assigns after ticking the title box.
        std::vector<std::pair<int, const char*>> assign;
    };
    const std::vector<Case> cases = {
        // The title box assigns Item, Cost and Desired Quantity at once.
        {"inventory", {"2=cost", "3=DESIRED QUANTITY"}, file, {}},
        {"customers", {"1=first name", "4=Last Name"}, file, {{0, "First Name"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.into);
        test::TempFolder mine;
        WriteStore(mine.Path());
        Put("in.csv", c.file);
        std::vector<std::string> args = {"import", dir_, "--into", c.into};
        for (const std::string& m : c.maps) args.insert(args.end(), {"--map", m});
        args.insert(args.end(), {"--skip-first-line", Path("in.csv")});
        const Result r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.into == std::string("inventory")
                             ? "2 records imported (0 into empty rows, 2 added)\n"
                             : "2 records imported (1 into empty rows, 1 added)\n");

        // The same through the main menu, then the inventory window's save.
        auto menu = std::make_unique<TMenuForm>();
        auto* view = new TView(mine.Path(), menu.get());
        menu->SetWindows(view, new TInvoiceHistoryForm(view->GetStore(), menu.get()));
        menu->FormActivate();
        ui.ExpectModal("TImportForm", [&](QDialog& d) {
            auto& form = static_cast<TImportForm&>(d);
            ui.ExpectOpenFile(QString::fromStdString(Path("in.csv")));
            test::SetChecked(form, "TitlesBox", true);
            test::Click(form, "SelectImportFileBtn");
            for (const auto& [col, field] : c.assign) {
                ui.ExpectMenu(QString(field));
                form.ImportGridClickCell(col, 0, {});
            }
            ui.ExpectInformation("Data has been imported.");
            test::Click(form, "PerformImportBtn");
            return QDialog::Rejected;
        });
        menu->InvokeFunction(c.into == std::string("inventory") ? "Import Inventory"
                                                                : "Import Customers");
        ASSERT_TRUE(view->FormClose());
        EXPECT_EQ(DataFiles(dir_), DataFiles(mine.Path()));
        WriteStore(dir_);
    }
    // What the inventory table got, as the store reads it back.
    Put("in.csv", file);
    ASSERT_EQ(Run({"import", dir_, "--into", "inventory", "--map", "1=item", "--map", "3=Web ID",
                   "--skip-first-line", Path("in.csv")})
                  .status,
              0);
    Store s(dir_);
    s.LoadInventory();
    ASSERT_EQ(s.ItemCount(), 4);
    EXPECT_EQ(s.Data.CellText(GridField(s.Data, "Item"), 3), "Printer, laser");
    EXPECT_EQ(s.Data.CellText(GridField(s.Data, "Item"), 4), "Caf\xE9 table");
    EXPECT_EQ(s.Data.CellText(GridField(s.Data, "Web ID"), 4), "two lines");
    EXPECT_EQ(s.Data.CellText(GridField(s.Data, "Cost"), 3), "1,200.00");  // titled like the field
    EXPECT_TRUE(s.Histories[3].empty());
    EXPECT_EQ(s.Histories[1].size(), 6u);
}

TEST_F(ImportCommand, BadArgumentsAndRefusalsChangeNothing) {
    Put("in.csv", "Lund,Oslo\nHolm,\xE2\x9C\x93\n");
    Put("bad.csv", "x\n");
    const std::string in = Path("in.csv");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;  // a part of the message
    };
    const std::vector<Case> cases = {
        {{"import", dir_, "--map", "1=City", in}, 2, "--into takes inventory or customers"},
        {{"import", dir_, "--into", "orders", "--map", "1=City", in}, 2, "--into takes"},
        {{"import", dir_, "--into", "customers", "--map", "x=City", in}, 2, "--map takes a whole"},
        {{"import", dir_, "--into", "customers", "--map", "0=City", in}, 2, "count from 1"},
        {{"import", dir_, "--into", "customers", "--map", "City", in}, 2, "--map takes J=FIELD"},
        {{"import", dir_, "--into", "customers", "--map", "3=City", in},
         2,
         "the file has 2 columns"},
        {{"import", dir_, "--into", "customers", "--map", "1=Town", in}, 2, "no field \"Town\""},
        {{"import", dir_, "--into", "customers", "--map", "1=City", "--map", "2=city", in},
         2,
         "two file columns feed City"},
        {{"import", dir_, "--into", "customers", in}, 2, "no file column feeds a field"},
        {{"import", dir_, "--into", "customers", "--map", "1=City", Path("none.csv")},
         2,
         "no such file"},
        {{"import", dir_, "--into", "customers", "--map", "1=City"}, 2, "usage"},
        {{"import", Path("nofolder"), "--into", "customers", "--map", "1=City", in},
         2,
         "not a folder"},
        {{"import", dir_, "--into", "customers", "--map", "1=City", "--map", "2=Email", in},
         1,
         "Line 2 of the file holds \"\xE2\x9C\x93\" (U+2713)"},
    };
    const auto before = DataFiles(dir_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err);
        const Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(DataFiles(dir_), before);
    }
}

TEST_F(ImportCommand, FullTableIsRefused) {
    Store s(dir_);
    s.LoadInventory();
    s.CustomerData.SetRowCount(kImportRowLimit - 1);
    for (int r = 1; r < s.CustomerData.RowCount(); ++r) s.CustomerData.SetCell(1, r, "x");
    s.SaveCustomers();
    const std::string before = File("Customers.dt2");
    Put("in.csv", "A\nB\n");
    const Result r =
        Run({"import", dir_, "--into", "customers", "--map", "1=Last Name", Path("in.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("but only 1 fit"), std::string::npos) << r.err;
    EXPECT_EQ(File("Customers.dt2"), before);
    // One line fits.
    Put("in.csv", "A\n");
    const Result ok =
        Run({"import", dir_, "--into", "customers", "--map", "1=Last Name", Path("in.csv")});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "1 record imported (0 into empty rows, 1 added)\n");
}
