#pragma once
// Rules of the customer screens: the working copy of the customer list with
// its check marks and clipboard row, the Select Customer filtering, and the
// address lines copied into a sale or refund.
#include "store/core/stringtable.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The customer list while its screen is open: a copy of the customer table
// (row 0 headings, row k = list item k - 1) plus one check mark per item.
// Items are counted from 0; -1 stands for "no item".
class CustomerList {
public:
    CustomerList();

    // Table to list and list to table (the table gets the list's columns and
    // one row per item; check marks are not stored).
    void GridToList(const StringTable& table);
    void ListToGrid(StringTable& table) const;

    int ItemCount() const { return rows_.RowCount() - 1; }
    int ColumnCount() const { return rows_.ColCount(); }
    std::string_view Heading(int col) const { return rows_.Cell(col, 0); }
    std::string_view Value(int item, int col) const { return rows_.Cell(col, item + 1); }
    void SetValue(int item, int col, std::string_view text) { rows_.SetCell(col, item + 1, text); }
    std::vector<std::string> Values(int item) const;
    void SetValues(int item, const std::vector<std::string>& values);

    bool Checked(int item) const;
    void SetChecked(int item, bool on);
    bool AnyChecked() const;

    // Appends an item with every value empty; returns its index.
    int AddItem();
    void RemoveItem(int item);

    // The clipboard row: values and check mark of the copied item. Before
    // any copy it holds an unchecked customer with every value empty.
    void Copy(int item);
    // Inserts a copy of the clipboard row before `item`; returns the new item.
    int PasteBefore(int item);

    // Exchange with the neighbour; each row keeps its own check mark.
    // Return the moved item's new index (unchanged at the ends).
    int MoveUp(int item);
    int MoveDown(int item);

    // Nearest checked item above / below `item`; -1 when there is none or
    // when `item` is -1.
    int PreviousChecked(int item) const;
    int NextChecked(int item) const;

    // The heading row followed by the rows of the checked items, in list order.
    StringTable CheckedRows() const;

    const StringTable& Table() const { return rows_; }

private:
    StringTable rows_;
    std::vector<char> checked_;
    std::vector<std::string> clipValues_;
    bool clipChecked_ = false;
};

// One line of the Select Customer list: "Last, First" and its table row.
struct CustomerChoice {
    std::string text;
    int row = 0;
};

// The customers whose cell in `column` starts with `startsWith` (case
// ignored), sorted by their text (case ignored; equal texts keep table
// order). An empty `startsWith` or a `column` below 0 lists everyone.
std::vector<CustomerChoice> FilterCustomers(const StringTable& customers, int column,
                                            std::string_view startsWith);

// The address lines of customer `row` for a sale or refund: name, street,
// "city, state", country, zip; empty lines left out except the name line.
std::vector<std::string> CustomerAddressLines(const StringTable& customers, int row);

// A customer the e-mail dialog can write to: "First Last", the "Email"
// value (it contains "@") and the list's check mark.
struct EmailContact {
    std::string name;
    std::string address;
    bool checked = false;
};
// Every customer of the list whose "Email" contains "@", in list order.
std::vector<EmailContact> EmailContacts(const CustomerList& list);

}  // namespace brenvik
