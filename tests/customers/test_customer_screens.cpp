// The customer list screen, the customer dialog and the Select Customer
// dialog, driven headlessly.
#include "scripted_platform.h"
#include "testutil.h"

#include "store/core/datetext.h"
#include "store/core/fields.h"
#include "store/customers/screens/TAddCustomerForm.h"
#include "store/customers/screens/TCustomerListForm.h"
#include "store/customers/screens/TSelectCustomerForm.h"
#include "store/inventory/screens/TSearchForm.h"
#include "store/reports/screens/TExportForm.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace brenvik;

using brenvik::MsgAnswer;
using brenvik::StringTable;

namespace {

const std::string kToday = brenvik::FormatDate(brenvik::Today());

// Customers as (date, last, first, street, city, state, zip, country).
StringTable Customers(const std::vector<std::vector<std::string>>& rows) {
    StringTable t;
    brenvik::SetupCustomerGrid(t);
    t.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            t.SetCell(static_cast<int>(c), static_cast<int>(r) + 1, rows[r][c]);
    return t;
}

std::vector<std::string> LastNames(const StringTable& t) {
    std::vector<std::string> out;
    for (int r = 1; r < t.RowCount(); ++r) out.push_back(t.CellText(1, r));
    return out;
}

// The customer dialog: sets "Last Name" and presses OK or Cancel; checks
// that the date shown is today's.
test::ScriptedPlatform::ModalFn EditName(const QString& last, bool ok) {
    return [last, ok](QDialog& d) {
        auto& grid = test::Find<QTableWidget>(d, "EditGrid");
        EXPECT_EQ(grid.rowCount(), 12);
        EXPECT_EQ(grid.item(0, 0)->text(), "Date Added");
        EXPECT_EQ(grid.item(0, 1)->text().toStdString(), kToday);
        EXPECT_FALSE(grid.item(1, 0)->flags() & Qt::ItemIsEditable);
        grid.item(1, 1)->setText(last);
        test::Click(d, ok ? "OKBtn" : "CancelBtn");
        return QDialog::Rejected;
    };
}

class CustomerScreen : public ::testing::Test {
protected:
    test::ScriptedPlatform ui;
    test::TempFolder folder;
    StringTable customers =
        Customers({{"2001/01/01", "Abel", "Ann"}, {"2002/02/02", "Baker", "Bo"}});
};

}  // namespace

TEST_F(CustomerScreen, AddThenCancelLeavesTheListUnchanged) {
    TCustomerListForm form(customers, folder.Path());
    ui.ExpectModal("TAddCustomerForm", EditName("Cole", true));
    test::Click(form, "AddItemsBtn");
    ASSERT_EQ(form.List().ItemCount(), 3);
    EXPECT_EQ(form.Selected(), 2);
    EXPECT_EQ(form.List().Value(2, 1), "Cole");
    EXPECT_EQ(form.List().Value(2, 0), kToday);

    ui.ExpectModal("TAddCustomerForm", EditName("Dunn", false));
    form.AddItemsBtnClick();
    EXPECT_EQ(form.List().ItemCount(), 3);
    EXPECT_EQ(form.Selected(), 2);

    // The table follows only when the screen closes.
    EXPECT_EQ(customers.RowCount(), 3);
    test::Click(form, "OKBtn");
    EXPECT_EQ(LastNames(customers), (std::vector<std::string>{"Abel", "Baker", "Cole"}));
}

TEST_F(CustomerScreen, EditChangesTheRowOnlyOnOkAndStampsToday) {
    TCustomerListForm form(customers, folder.Path());
    form.ViewSelectedBtnClick();  // nothing selected: nothing opens
    form.Select(1);
    ui.ExpectModal("TAddCustomerForm", EditName("Changed", false));
    form.ViewSelectedBtnClick();
    EXPECT_EQ(form.List().Value(1, 1), "Baker");
    EXPECT_EQ(form.List().Value(1, 0), "2002/02/02");

    ui.ExpectModal("TAddCustomerForm", EditName("Changed", true));
    form.ViewSelectedBtnClick();
    EXPECT_EQ(form.List().Value(1, 1), "Changed");
    EXPECT_EQ(form.List().Value(1, 0), kToday);
    EXPECT_EQ(form.List().Value(1, 2), "Bo");
}

TEST_F(CustomerScreen, CopyAndPasteAtTheTopWithTheCheckMark) {
    TCustomerListForm form(customers, folder.Path());
    ui.ExpectError("Please select item to copy.");
    form.CopyBtnClick();
    ui.ExpectError("Please select insert position.");
    form.PasteBtnClick();

    form.List().SetChecked(1, true);
    form.Select(1);
    form.CopyBtnClick();
    form.Select(0);
    form.PasteBtnClick();
    form.done(QDialog::Accepted);
    EXPECT_EQ(LastNames(customers), (std::vector<std::string>{"Baker", "Abel", "Baker"}));
    EXPECT_TRUE(form.List().Checked(0));
    EXPECT_FALSE(form.List().Checked(1));
    EXPECT_EQ(form.Selected(), 1);  // still on Abel
}

TEST_F(CustomerScreen, RemoveAsksFirstAndMovingKeepsCheckMarks) {
    customers = Customers({{"", "A"}, {"", "B"}, {"", "C"}});
    TCustomerListForm form(customers, folder.Path());
    form.Select(2);
    form.List().SetChecked(2, true);
    form.MoveUpBtnClick();
    EXPECT_EQ(form.Selected(), 1);
    EXPECT_TRUE(form.List().Checked(1));
    EXPECT_FALSE(form.List().Checked(2));

    // Stepping: checked rows only, or one row either way.
    form.Select(0);
    form.NextRecordBtnClick();
    EXPECT_EQ(form.Selected(), 1);
    form.NextRecordBtnClick();
    EXPECT_EQ(form.Selected(), 1);
    form.NextSearchRecordBtnClick();
    EXPECT_EQ(form.Selected(), 2);
    form.NextSearchRecordBtnClick();
    EXPECT_EQ(form.Selected(), -1);
    form.Select(0);
    form.PreviousSearchRecordBtnClick();
    EXPECT_EQ(form.Selected(), -1);

    form.Select(1);
    ui.ExpectDestructive("Are you sure you want to delete the selected customer ?", MsgAnswer::No);
    test::Click(form, "RemoveSelectedBtn");
    EXPECT_EQ(form.List().ItemCount(), 3);
    ui.ExpectDestructive("Are you sure you want to delete the selected customer ?", MsgAnswer::Yes);
    test::Click(form, "RemoveSelectedBtn");
    form.done(QDialog::Rejected);
    EXPECT_EQ(LastNames(customers), (std::vector<std::string>{"A", "B"}));
}

TEST_F(CustomerScreen, ExportMenuAllAndChecked) {
    TCustomerListForm form(customers, folder.Path());
    ui.ExpectMenu("Export Checked");
    ui.ExpectError("No items are selected.");
    test::Click(form, "ExportBtn");

    form.List().SetChecked(1, true);
    ui.ExpectMenu("Export Checked");
    ui.ExpectModal("TExportForm", [](QDialog& d) {
        auto& f = static_cast<TExportForm&>(d);
        EXPECT_EQ(f.BufferGrid.RowCount(), 2);
        EXPECT_EQ(f.BufferGrid.Cell(1, 1), "Baker");
        return QDialog::Accepted;
    });
    form.ExportBtnClick();

    // Edits made in the list are what "Export All" sees.
    form.List().SetValue(0, 1, "Able");
    ui.ExpectMenu("Export All");
    ui.ExpectModal("TExportForm", [](QDialog& d) {
        auto& f = static_cast<TExportForm&>(d);
        EXPECT_EQ(f.BufferGrid.RowCount(), 3);
        EXPECT_EQ(f.BufferGrid.Cell(1, 0), "Last Name");
        EXPECT_EQ(f.BufferGrid.Cell(1, 1), "Able");
        return QDialog::Accepted;
    });
    form.ExportBtnClick();
    auto menus = ui.Log(test::Dlg::Menu);
    ASSERT_FALSE(menus.empty());
    EXPECT_EQ(menus[0].items, (QStringList{"Export All", "Export Checked"}));
}

TEST_F(CustomerScreen, SearchMarksTheFoundCustomers) {
    TCustomerListForm form(customers, folder.Path());
    ui.ExpectModal("TSearchForm", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Search Customers");
        auto& grid = test::Find<QTableWidget>(d, "SearchGrid");
        EXPECT_EQ(grid.rowCount(), 12);
        grid.item(1, 2)->setText("bak");
        test::Click(d, "SearchBtn");
        test::Click(d, "OKBtn");
        return QDialog::Accepted;
    });
    ui.ExpectModal("TSearchResultsForm", [](QDialog& d) {
        auto& list = test::Find<QListWidget>(d, "Results");
        EXPECT_EQ(list.count(), 1);
        EXPECT_EQ(list.item(0)->text(), "Baker");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    test::Click(form, "SearchBtn");
    EXPECT_FALSE(form.List().Checked(0));
    EXPECT_TRUE(form.List().Checked(1));
    EXPECT_EQ(form.Selected(), 1);
}

TEST(AddCustomerForm, OkTakesTheValueStillBeingTyped) {
    test::ScriptedPlatform ui;
    TAddCustomerForm form({"Date Added", "Last Name"}, {"2001/01/01", "Old"});
    form.show();
    QTableWidget* grid = form.EditGrid();
    grid->setCurrentCell(1, 1);
    grid->editItem(grid->item(1, 1));
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Typed");
    test::Click(form, "OKBtn");
    EXPECT_EQ(form.Values(), (std::vector<std::string>{kToday, "Typed"}));
}

TEST(SelectCustomerForm, FiltersAndWritesTheAddressLines) {
    test::ScriptedPlatform ui;
    StringTable customers =
        Customers({{"", "Smithers", "Wayland", "1 Elm St", "Springfield", "", "12345", "USA"},
                   {"", "Goldsmith", "Ada", "", "Boston", "MA", "", ""},
                   {"", "", "", "", "", "ma", "", ""}});
    QPlainTextEdit memo("old text");
    TSelectCustomerForm form(customers, &memo);
    auto& field = test::Find<QComboBox>(form, "Field");
    auto& box = test::Find<QListWidget>(form, "SelectBox");
    EXPECT_EQ(field.currentText(), "Last Name");
    EXPECT_EQ(field.count(), 12);
    auto shown = [&] {
        QStringList out;
        for (int i = 0; i < box.count(); ++i) out << box.item(i)->text();
        return out;
    };
    EXPECT_EQ(shown(), (QStringList{", ", "Goldsmith, Ada", "Smithers, Wayland"}));
    test::SetText(form, "Value", "smi");
    EXPECT_EQ(shown(), (QStringList{"Smithers, Wayland"}));
    field.setCurrentText("State/Province");
    EXPECT_TRUE(shown().isEmpty());
    test::SetText(form, "Value", "MA");
    EXPECT_EQ(shown(), (QStringList{", ", "Goldsmith, Ada"}));

    // OK without a choice (no match) changes nothing.
    test::SetText(form, "Value", "none");
    form.CopySelected();
    EXPECT_EQ(memo.toPlainText(), "old text");
    test::SetText(form, "Value", "MA");
    box.setCurrentRow(0);
    form.CopySelected();
    EXPECT_EQ(memo.toPlainText(), ", ");

    test::SetText(form, "Value", "");
    box.setCurrentRow(2);
    test::Click(form, "OKBtn");
    EXPECT_EQ(memo.toPlainText(), "Smithers, Wayland\n1 Elm St\nSpringfield, \nUSA\n12345");
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// Typing a filter highlights the first match; Up and Down move the highlight
// without leaving the filter, and Enter takes the highlighted customer.
TEST(SelectCustomerForm, EnterInTheFilterTakesTheHighlightedCustomer) {
    test::ScriptedPlatform ui;
    StringTable customers = Customers({{"", "Smithers", "Wayland", "1 Elm St"},
                                       {"", "Smith", "Jo", "2 Oak Rd"},
                                       {"", "Baker", "Bo", "3 Ash Ln"}});
    QPlainTextEdit memo;
    TSelectCustomerForm form(customers, &memo);
    auto& box = test::Find<QListWidget>(form, "SelectBox");
    auto& value = test::Find<QLineEdit>(form, "Value");
    ui.ExpectModal("TSelectCustomerForm", [&](QDialog&) {
        value.setFocus();
        test::Type(value, "smi");
        EXPECT_EQ(box.count(), 2);
        EXPECT_EQ(box.currentRow(), 0);
        EXPECT_TRUE(box.currentItem()->isSelected());
        test::Key(value, Qt::Key_Down);
        test::Key(value, Qt::Key_Down);  // stays on the last match
        EXPECT_EQ(box.currentItem()->text(), "Smithers, Wayland");
        test::Key(value, Qt::Key_Up);
        EXPECT_EQ(value.text(), "smi");
        test::Key(value, Qt::Key_Return);
        return QDialog::Rejected;
    });
    EXPECT_EQ(ui.ShowModal(form), QDialog::Accepted);
    EXPECT_TRUE(memo.toPlainText().startsWith("Smith, Jo\n2 Oak Rd"))
        << memo.toPlainText().toStdString();
}

// Columns are as wide as their headings and texts (80 pixels at least) and
// the user can resize them; a row keeps to one line.
TEST(CustomerListForm, ColumnsFitTheirTexts) {
    test::ScriptedPlatform ui;
    StringTable customers = Customers(
        {{"2025/12/31", "Featherstonehaugh-Montgomery", "Bo", "1 Elm St", "Springfield"}});
    TCustomerListForm form(customers, "/nonexistent/");
    auto& view = test::Find<QTableView>(form, "CustomerList");
    QHeaderView* header = view.horizontalHeader();
    const QFontMetrics fm = view.fontMetrics();
    for (int c = 0; c < view.model()->columnCount(); ++c) {
        const QString heading = view.model()->headerData(c, Qt::Horizontal).toString();
        const QString text = view.model()->index(0, c).data().toString();
        SCOPED_TRACE(heading.toStdString());
        EXPECT_GE(header->sectionSize(c), 80);
        EXPECT_GE(header->sectionSize(c), fm.horizontalAdvance(text));
        EXPECT_GE(header->sectionSize(c), fm.horizontalAdvance(heading));
        EXPECT_EQ(header->sectionResizeMode(c), QHeaderView::Interactive);
    }
    EXPECT_FALSE(view.wordWrap());
}
