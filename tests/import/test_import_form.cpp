// The import dialog: opening a file into the grid, the field menu and its
// enable rules, Perform Import, Clear, the title check box, the status line,
// refusals that change nothing, and the two main-menu functions.
#include "scripted_platform.h"
#include "store_program.h"
#include "testutil.h"

#include "store/core/fields.h"
#include "store/core/screens/TMenuForm.h"
#include "store/inventory/screens/TView.h"
#include "store/inventory/store.h"
#include "store/reports/screens/TImportForm.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"

#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

constexpr int kLast = 1, kFirst = 2, kCity = 4;

class ImportForm : public ::testing::Test {
protected:
    ImportForm() { SetupCustomerGrid(customers); }

    // Puts `bytes` in a file and expects the open dialog to give it.
    std::string Offer(const std::string& name, const std::string& bytes) {
        folder.Write(name, bytes);
        ui.ExpectOpenFile(QString::fromStdString(folder.File(name)));
        return folder.File(name);
    }
    static bool PerformEnabled(TImportForm& form) {
        return test::Find<QPushButton>(form, "PerformImportBtn").isEnabled();
    }
    static QString Shown(TImportForm& form, int col, int row) {
        QAbstractItemModel* m = form.ImportGrid()->model();
        return m->data(m->index(row, col), Qt::DisplayRole).toString();
    }
    static QString Heading(TImportForm& form, int col) {
        return form.ImportGrid()->model()->headerData(col, Qt::Horizontal).toString();
    }
    // Clicks the assignment cell of a column and picks a menu entry.
    void Assign(TImportForm& form, int col, const QString& field) {
        ui.ExpectMenu(field);
        form.ImportGridClickCell(col, 0, {});
    }

    test::ScriptedPlatform ui;
    test::TempFolder folder;
    StringTable customers;
};

using test::Program;

}  // namespace

TEST_F(ImportForm, AssignAndImportFillsEmptyRowsThenAppends) {
    customers.SetRowCount(4);
    customers.SetCell(kLast, 1, "Berg");
    customers.SetCell(kLast, 3, "Dahl");  // row 2 is empty
    TImportForm form(customers, nullptr);
    form.FormActivate();
    EXPECT_FALSE(PerformEnabled(form));

    Offer("people.csv", "Lund,Ann,Oslo\r\nHolm,Per\r\n\"Vik, Jr\",Ola,Bergen,extra\r\n");
    test::Click(form, "SelectImportFileBtn");
    ASSERT_TRUE(form.Loaded());
    EXPECT_TRUE(PerformEnabled(form));
    EXPECT_EQ(form.ImportGrid()->model()->rowCount(), 3);
    EXPECT_EQ(form.ImportGrid()->model()->columnCount(), 4);
    EXPECT_EQ(Heading(form, 0), "Not Assigned");
    EXPECT_EQ(Shown(form, 0, 2), "Vik, Jr");

    Assign(form, 0, "Last Name");
    Assign(form, 2, "City");
    // The menu offered every field, then no longer the assigned one.
    const auto menus = ui.Log(test::Dlg::Menu);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].items.size(), 13);
    EXPECT_EQ(menus[0].items[0], "Not Assigned");
    EXPECT_EQ(menus[1].items[kLast + 1], "(disabled) Last Name");
    EXPECT_EQ(Heading(form, 0), "Last Name");
    EXPECT_EQ(Heading(form, 2), "City");
    EXPECT_EQ(form.StatusText(),
              "3 records will be added: 1 fills an empty row, 2 new rows at the end.");

    ui.ExpectInformation("Data has been imported.");
    test::Click(form, "PerformImportBtn");
    EXPECT_EQ(form.StatusText(), "3 records imported.");
    ASSERT_EQ(customers.RowCount(), 6);
    EXPECT_EQ(customers.CellText(kLast, 2), "Lund");
    EXPECT_EQ(customers.CellText(kCity, 2), "Oslo");
    EXPECT_EQ(customers.CellText(kLast, 3), "Dahl");
    EXPECT_EQ(customers.CellText(kLast, 4), "Holm");
    EXPECT_EQ(customers.CellText(kCity, 4), "");
    EXPECT_EQ(customers.CellText(kLast, 5), "Vik, Jr");
    EXPECT_EQ(customers.CellText(kFirst, 5), "");  // column 1 was not assigned
    // Done: a second press needs the file opened again; the file stays shown.
    EXPECT_FALSE(PerformEnabled(form));
    EXPECT_EQ(Shown(form, 0, 0), "Lund");
}

TEST_F(ImportForm, FieldMenuRules) {
    TImportForm form(customers, nullptr);
    form.FormActivate();
    // Before a file is loaded, and below row 0, a click offers nothing.
    form.ImportGridClickCell(0, 0, {});
    Offer("two.csv", "a,b\n");
    test::Click(form, "SelectImportFileBtn");
    form.ImportGridClickCell(0, 1, {});
    EXPECT_TRUE(ui.Log(test::Dlg::Menu).empty());

    Assign(form, 0, "City");
    Assign(form, 0, "Not Assigned");  // City is offered again after this
    Assign(form, 1, "City");
    Assign(form, 0, "Last Name");
    EXPECT_EQ(form.Assignment(), (std::vector<int>{kLast, kCity}));
    const auto menus = ui.Log(test::Dlg::Menu);
    EXPECT_EQ(menus[1].items[kCity + 1], "(disabled) City");
    EXPECT_EQ(menus[2].items[kCity + 1], "City");
    EXPECT_EQ(menus[3].items[kCity + 1], "(disabled) City");
    EXPECT_EQ(menus[3].items[0], "Not Assigned");

    // A one-column file: no entry is ever disabled.
    Offer("one.csv", "x\ny\n");
    test::Click(form, "SelectImportFileBtn");
    EXPECT_EQ(form.Assignment(), std::vector<int>{kNotAssigned});  // assignments start over
    Assign(form, 0, "City");
    ui.ExpectMenu("City");
    form.ImportGridClickCell(0, 0, {});
    EXPECT_FALSE(ui.Log(test::Dlg::Menu).back().items.join("|").contains("(disabled)"));
}

TEST_F(ImportForm, OpenCancelUnreadableFileAndClear) {
    TImportForm form(customers, nullptr);
    form.FormActivate();
    Offer("a.csv", "Lund,Oslo\n");
    test::Click(form, "SelectImportFileBtn");
    ui.ExpectOpenFileCancel();
    test::Click(form, "SelectImportFileBtn");
    EXPECT_EQ(Shown(form, 0, 0), "Lund");

    const std::string missing = folder.File("gone.csv");
    ui.ExpectOpenFile(QString::fromStdString(missing));
    ui.ExpectError(QString::fromStdString("Cannot open file " + missing));
    test::Click(form, "SelectImportFileBtn");
    EXPECT_EQ(Shown(form, 0, 0), "Lund");  // the grid keeps what it showed
    EXPECT_TRUE(PerformEnabled(form));

    test::Click(form, "ClearImportBtn");
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(PerformEnabled(form));
    EXPECT_EQ(form.ImportGrid()->model()->rowCount(), 0);
    EXPECT_EQ(form.ImportGrid()->model()->columnCount(), 1);
    form.ImportGridClickCell(0, 0, {});  // no menu on an empty grid

    // An empty file leaves nothing to import.
    Offer("empty.csv", "");
    test::Click(form, "SelectImportFileBtn");
    EXPECT_FALSE(PerformEnabled(form));
}

TEST_F(ImportForm, GridShowsUtf8AndCodePageFilesAlike) {
    TImportForm form(customers, nullptr);
    form.FormActivate();
    for (const std::string bytes : {"\xEF\xBB\xBF"
                                    "Caf\xC3\xA9 \xE2\x82\xAC,x\n",
                                    "Caf\xE9 \x80,x\r\n"}) {
        Offer("f.csv", bytes);
        test::Click(form, "SelectImportFileBtn");
        EXPECT_EQ(Shown(form, 0, 0), QString::fromUtf8("Café €"));
    }
    Assign(form, 0, "Last Name");
    ui.ExpectInformation("Data has been imported.");
    test::Click(form, "PerformImportBtn");
    EXPECT_EQ(customers.CellText(kLast, 1), "Caf\xE9 \x80");  // the tables' code page
}

TEST_F(ImportForm, TitleBoxLeavesOutTheFirstLineAndAssignsByTitle) {
    TImportForm form(customers, nullptr);
    form.FormActivate();
    Offer("t.csv", "last name,Note, City \nLund,x,Oslo\nHolm,y,Rome\n");
    test::Click(form, "SelectImportFileBtn");
    // Off by default: the titles are a record like any other line.
    EXPECT_EQ(form.Assignment(), (std::vector<int>(3, kNotAssigned)));
    Assign(form, 1, "City");
    EXPECT_EQ(form.StatusText(),
              "3 records will be added: 0 fill empty rows, 3 new rows at the end.");

    QAbstractItemModel* model = form.ImportGrid()->model();
    EXPECT_FALSE(model->data(model->index(0, 0), Qt::ForegroundRole).isValid());
    test::SetChecked(form, "TitlesBox", true);
    // The title line is shown greyed: it is not imported.
    EXPECT_TRUE(model->data(model->index(0, 0), Qt::ForegroundRole).isValid());
    EXPECT_FALSE(model->data(model->index(1, 0), Qt::ForegroundRole).isValid());
    // Column 2's title names City, which column 1 already feeds.
    EXPECT_EQ(form.Assignment(), (std::vector<int>{kLast, kCity, kNotAssigned}));
    EXPECT_EQ(Heading(form, 0), "Last Name");
    EXPECT_EQ(form.StatusText(),
              "2 records will be added: 0 fill empty rows, 2 new rows at the end.");

    // Ticked before opening, titles assign at once.
    Offer("u.csv", "City,Last Name\nOslo,Lund\n");
    test::Click(form, "SelectImportFileBtn");
    EXPECT_EQ(form.Assignment(), (std::vector<int>{kCity, kLast}));
    ui.ExpectInformation("Data has been imported.");
    test::Click(form, "PerformImportBtn");
    ASSERT_EQ(customers.RowCount(), 2);
    EXPECT_EQ(customers.CellText(kLast, 1), "Lund");
}

TEST_F(ImportForm, RefusalsShowTheReasonAndChangeNothing) {
    struct Case {
        const char* name;
        int rows;
        std::string file;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"full table", 10000, "A\nB\n",
         "The file holds 2 records to import, but none fit: the table holds at most 9999 "
         "records. Nothing has been imported."},
        {"character beyond the code page", 1, "A\nB \xE2\x9C\x93\n",
         "Line 2 of the file holds \"\xE2\x9C\x93\" (U+2713), a character that the store's "
         "tables cannot hold. Nothing has been imported: replace it in the file and open the "
         "file again."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StringTable table;
        SetupCustomerGrid(table);
        table.SetRowCount(c.rows);
        for (int r = 1; r < c.rows; ++r) table.SetCell(kLast, r, "x");
        const std::string before = table.TableFileBytes();
        TImportForm form(table, nullptr);
        form.FormActivate();
        Offer("r.csv", c.file);
        test::Click(form, "SelectImportFileBtn");
        Assign(form, 0, "Last Name");
        // The status says so before the button is pressed.
        EXPECT_EQ(form.StatusText(), QString::fromUtf8(c.message));
        ui.ExpectError(QString::fromUtf8(c.message));
        test::Click(form, "PerformImportBtn");
        EXPECT_EQ(table.TableFileBytes(), before);
        EXPECT_TRUE(PerformEnabled(form));  // the user may change the file and try again
    }
}

TEST_F(ImportForm, MainMenuImportsCustomersAndInventory) {
    Program p(folder.Path());
    p.Store().Data.SetRowCount(2);
    p.Store().Data.SetCell(1, 1, "Modem");
    p.Store().Histories.assign(2, {});
    p.Store().Histories[1] = {"2026/01/02", "Delivery", "", "5", "", ""};
    p.view->GridToList();
    ASSERT_EQ(p.view->Model().ItemCount(), 1);

    // Files are offered from inside the dialog, so the script stays in order.
    folder.Write("people.csv", "Lund,Oslo\n");
    ui.ExpectModal("TImportForm", [&](QDialog& d) {
        auto& form = static_cast<TImportForm&>(d);
        EXPECT_EQ(form.windowTitle(), "Import Data");
        ui.ExpectOpenFile(QString::fromStdString(folder.File("people.csv")));
        test::Click(form, "SelectImportFileBtn");
        Assign(form, 0, "Last Name");
        Assign(form, 1, "City");
        ui.ExpectInformation("Data has been imported.");
        test::Click(form, "PerformImportBtn");
        test::Click(form, "CloseImportDatabtn");
        return QDialog::Rejected;
    });
    p.menu->InvokeFunction("Import Customers");
    ASSERT_EQ(p.Store().CustomerData.RowCount(), 2);
    EXPECT_EQ(p.Store().CustomerData.CellText(kLast, 1), "Lund");
    EXPECT_EQ(p.Store().CustomerData.CellText(kCity, 1), "Oslo");

    folder.Write("stock.csv", "Item,Quantity,Desired Quantity\nScanner,2,5\n");
    ui.ExpectModal("TImportForm", [&](QDialog& d) {
        auto& form = static_cast<TImportForm&>(d);
        ui.ExpectOpenFile(QString::fromStdString(folder.File("stock.csv")));
        test::SetChecked(form, "TitlesBox", true);
        test::Click(form, "SelectImportFileBtn");
        ui.ExpectInformation("Data has been imported.");
        test::Click(form, "PerformImportBtn");
        return QDialog::Rejected;
    });
    p.menu->InvokeFunction("Import Inventory");
    // The new item is in the list at once, with its derived fields and an
    // empty history; the old item keeps its history.
    ASSERT_EQ(p.view->Model().ItemCount(), 2);
    const StringTable& data = p.Store().Data;
    EXPECT_EQ(data.CellText(GridField(data, "Item"), 2), "Scanner");
    EXPECT_EQ(data.CellText(GridField(data, "Required (Desired - Quantity)"), 2), "3");
    EXPECT_FALSE(data.CellText(GridField(data, "Total Sold"), 2).empty());
    ASSERT_EQ(p.Store().Histories.size(), 3u);
    EXPECT_TRUE(p.Store().Histories[2].empty());
    EXPECT_EQ(p.Store().Histories[1].size(), 6u);
}
