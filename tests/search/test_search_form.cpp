// The search form on a list with check boxes: marks, the pick dialog, the
// pop-up menus, the confirmations and the unreadable date.
#include "scripted_platform.h"
#include "testutil.h"

#include "store/core/datetext.h"
#include "store/core/fields.h"
#include "store/inventory/screens/TSearchForm.h"
#include "store/inventory/screens/TView.h"

#include <QCheckBox>
#include <QListWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace brenvik;

using brenvik::MsgAnswer;
using brenvik::StringTable;

namespace {

// A list view over a table's records (check boxes in column 0) and the table.
class SearchFixture : public ::testing::Test {
protected:
    void Load(const std::vector<std::vector<std::string>>& rows) {
        table.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
        model.clear();
        model.setColumnCount(table.ColCount());
        model.setRowCount(table.RowCount() - 1);
        for (int r = 0; r < table.RowCount(); ++r) {
            for (int c = 0; c < table.ColCount(); ++c) {
                table.SetCell(c, r, rows[r][c]);
                QString text = QString::fromStdString(rows[r][c]);
                if (r == 0) {
                    model.setHorizontalHeaderItem(c, new QStandardItem(text));
                } else {
                    auto* item = new QStandardItem(text);
                    if (c == 0) {
                        item->setCheckable(true);
                        item->setCheckState(Qt::Unchecked);
                    }
                    model.setItem(r - 1, c, item);
                }
            }
        }
        view.setModel(&model);
    }
    void Inventory() {
        std::vector<std::vector<std::string>> rows(1);
        for (const auto& f : brenvik::InventoryFields()) rows[0].push_back(f.name);
        auto add = [&](const char* date, const char* item, const char* price) {
            std::vector<std::string> row(rows[0].size());
            row[0] = date;
            row[1] = item;
            row[5] = price;
            rows.push_back(row);
        };
        add("2006/01/05", "Printer", "10");
        add("2006/02/05", "Printer cable", "15");
        add("2006/03/05", "printer", "20");
        add("2006/04/05", "Laser Printer", "25");
        add("2006/05/05", "Monitor", "5");
        Load(rows);
        fields = brenvik::InventoryFields();
    }
    std::vector<int> Checked() const {
        std::vector<int> out;
        for (int i = 0; i < model.rowCount(); ++i)
            if (model.item(i, 0)->checkState() == Qt::Checked) out.push_back(i);
        return out;
    }
    static void Type(TSearchForm& form, int row, int column, const char* text) {
        form.SearchGrid()->item(row, column)->setText(text);
    }
    // Expects the pick dialog with these lines, answering with `pick` (-1: Cancel).
    void ExpectPick(QStringList lines, int pick = -1) {
        ui.ExpectModal("TSearchResultsForm", [lines, pick](QDialog& d) {
            auto& list = test::Find<QListWidget>(d, "Results");
            QStringList shown;
            for (int i = 0; i < list.count(); ++i) shown << list.item(i)->text();
            EXPECT_EQ(shown, lines);
            if (pick < 0) {
                test::Click(d, "CancelBtn");
            } else {
                list.setCurrentRow(pick);
                test::Click(d, "OKBtn");
            }
            return QDialog::Rejected;
        });
    }

    test::ScriptedPlatform ui;
    StringTable table;
    QStandardItemModel model;
    QTableView view;
    std::vector<brenvik::FieldData> fields;
};

}  // namespace

TEST_F(SearchFixture, NoCriterionChecksEverythingAndListsAll) {
    Inventory();
    TSearchForm form(view, table, SearchMode::Inventory, &fields, "Search Inventory");
    ExpectPick({"Printer", "Printer cable", "printer", "Laser Printer", "Monitor"});
    form.SearchBtnClick();
    EXPECT_EQ(Checked(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(SearchFixture, SpecificItemAndPickOpensTheItemView) {
    Inventory();
    TSearchForm form(view, table, SearchMode::Inventory, &fields, "Search Inventory");
    int opened = -1;
    form.OpenItemView = [&](int item) { opened = item; };
    Type(form, 1, 2, "Printer");
    ExpectPick({"Printer", "Printer cable", "printer"}, 1);
    form.SearchBtnClick();
    EXPECT_EQ(Checked(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(view.currentIndex().row(), 1);
}

TEST_F(SearchFixture, TwoRowsActAsAndAndSearchesAccumulate) {
    Inventory();
    TSearchForm form(view, table, SearchMode::Inventory, &fields, "Search Inventory");
    ASSERT_EQ(form.Kind(5), brenvik::SearchKind::Number);
    Type(form, 1, 3, "printer");  // "From Item" alone: contains
    Type(form, 5, 3, "12");
    Type(form, 5, 4, "30");  // Sale Price 12 to 30
    ExpectPick({"Printer cable", "printer", "Laser Printer"});
    form.SearchBtnClick();
    EXPECT_EQ(Checked(), (std::vector<int>{1, 2, 3}));

    // A second search keeps the first one's marks; the list shows only its own.
    ui.ExpectDestructive("Search grid will be cleared.  Are you sure you want to continue ?",
                         MsgAnswer::Yes);
    form.NewSearchBtnClick();
    EXPECT_TRUE(form.SearchGrid()->item(5, 3)->text().isEmpty());
    Type(form, 1, 2, "Monitor");
    ExpectPick({"Monitor"});
    form.SearchBtnClick();
    EXPECT_EQ(Checked(), (std::vector<int>{1, 2, 3, 4}));

    // "Display Entire Search List" lists every checked item.
    form.DisplayEntireSearchList()->setChecked(true);
    ExpectPick({"Printer cable", "printer", "Laser Printer", "Monitor"});
    form.SearchBtnClick();

    ui.ExpectDestructive("Found items will be cleared.  Are you sure you want to continue ?",
                         MsgAnswer::No);
    form.ClearBtnClick();
    EXPECT_EQ(Checked().size(), 4u);
    ui.ExpectDestructive("Found items will be cleared.  Are you sure you want to continue ?",
                         MsgAnswer::Yes);
    form.ClearBtnClick();
    EXPECT_TRUE(Checked().empty());
}

TEST_F(SearchFixture, NothingFoundAndTheModeMenu) {
    Inventory();
    TSearchForm form(view, table, SearchMode::Inventory, &fields, "Search Inventory");
    ui.ExpectMenu("Does Not Include");
    form.SearchGridMouseDown(5, 1, QPoint(10, 10));
    EXPECT_EQ(form.SearchGrid()->item(5, 1)->text(), "Does Not Include");
    auto menus = ui.Log(test::Dlg::Menu);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].items, (QStringList{"Includes", "Does Not Include"}));

    Type(form, 5, 3, "0");
    Type(form, 5, 4, "100");  // every price lies in 0..100
    ui.ExpectInformation("No matching items found in database.");
    form.SearchBtnClick();
    EXPECT_TRUE(Checked().empty());
}

TEST_F(SearchFixture, DateMenuSetsAndClearsTheCell) {
    Inventory();
    TSearchForm form(view, table, SearchMode::Inventory, &fields, "Search Inventory");
    form.SearchGridMouseDown(1, 3, QPoint(5, 5));  // "Item" is not a date row: no menu
    EXPECT_TRUE(ui.Log(test::Dlg::Menu).empty());
    Type(form, 0, 3, "2006/02/01");
    ui.ExpectMenu("Set Date");
    ui.ExpectDate(QDate(2006, 3, 4));
    form.SearchGridMouseDown(0, 3, QPoint(100, 50));
    EXPECT_EQ(form.SearchGrid()->item(0, 3)->text(), "2006/03/04");
    auto dates = ui.Log(test::Dlg::Date);
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_EQ(dates[0].value, "2006-02-01");  // started at the cell's date

    ui.ExpectMenu("Set Date");
    ui.ExpectDate(QDate(2006, 1, 1));
    form.SearchGridMouseDown(0, 4, QPoint(100, 50));  // empty cell starts today
    dates = ui.Log(test::Dlg::Date);
    ASSERT_EQ(dates.size(), 2u);
    brenvik::Date today = brenvik::Today();
    EXPECT_EQ(dates[1].value, QDate(today.year, today.month, today.day).toString(Qt::ISODate));

    ui.ExpectMenu("Clear Date");
    form.SearchGridMouseDown(0, 3, QPoint(100, 50));
    EXPECT_TRUE(form.SearchGrid()->item(0, 3)->text().isEmpty());
}

TEST_F(SearchFixture, DateRangeIgnoresTheMode) {
    Inventory();
    TSearchForm form(view, table, SearchMode::Inventory, &fields, "Search Inventory");
    Type(form, 0, 1, "Does Not Include");
    Type(form, 0, 3, "2006/03/01");
    ExpectPick({"printer", "Laser Printer", "Monitor"});
    form.SearchBtnClick();
    EXPECT_EQ(Checked(), (std::vector<int>{2, 3, 4}));
}

TEST_F(SearchFixture, UnreadableDateStopsAndKeepsTheMarksSoFar) {
    Inventory();
    table.SetCell(0, 3, "March");  // the third item's date
    TSearchForm form(view, table, SearchMode::Inventory, &fields, "Search Inventory");
    Type(form, 0, 3, "2006/01/01");
    ui.ExpectError("'March' is not a valid date");
    form.SearchBtnClick();
    EXPECT_EQ(Checked(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(ui.Modals().isEmpty());
}

TEST_F(SearchFixture, CustomerModeSearchesDateColumnsAsDates) {
    Load({{"Date Added", "Last Name", "First Name", "Zip/Postal Code"},
          {"2005/12/31", "Abel", "Ann", "10"},
          {"2006/01/02", "Baker", "Bo", "9"},
          {"2006/02/03", "Cole", "Cy", "100"}});
    TSearchForm form(view, table, SearchMode::Customer, nullptr, "Search Customers");
    EXPECT_EQ(form.windowTitle(), "Search Customers");
    EXPECT_EQ(form.Kind(0), brenvik::SearchKind::Date);
    EXPECT_EQ(form.Kind(3), brenvik::SearchKind::Text);
    Type(form, 0, 3, "2006/01/01");
    Type(form, 0, 4, "2006/01/31");
    // Customer lines show the last name; no item view for customers.
    ExpectPick({"Baker"}, 0);
    form.SearchBtnClick();
    EXPECT_EQ(Checked(), (std::vector<int>{1}));
    EXPECT_EQ(view.currentIndex().row(), 1);
}

TEST(InventorySearch, PickOpensTheItemViewOnThePickedItem) {
    test::ScriptedPlatform ui;
    test::TempFolder folder;
    TView view(folder.Path());
    view.FormActivate();
    brenvik::Store& store = view.GetStore();
    for (const char* name : {"Printer", "Scanner", "Printer cable"}) {
        int row = store.AppendItem();
        std::vector<std::string> values = store.ItemValues(row);
        values[1] = name;
        store.SetItemValues(row, values);
    }
    view.GridToList();
    ui.ExpectModal("TSearchForm", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Search Inventory");
        test::Find<QTableWidget>(d, "SearchGrid").item(1, 2)->setText("printer");
        test::Click(d, "SearchBtn");
        return QDialog::Accepted;
    });
    ui.ExpectModal("TSearchResultsForm", [](QDialog& d) {
        auto& list = test::Find<QListWidget>(d, "Results");
        EXPECT_EQ(list.count(), 2);
        list.setCurrentRow(1);
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    ui.ExpectModal("TViewItemForm", QDialog::Rejected);
    view.SearchInventory();
    EXPECT_EQ(view.SelectedItem(), 2);
    EXPECT_TRUE(view.Model().IsChecked(0));
    EXPECT_FALSE(view.Model().IsChecked(1));
    EXPECT_TRUE(view.Model().IsChecked(2));
}
