// The customer list's working copy (copy, paste, move, stepping, checked
// rows) and the Select Customer filtering and address lines.
#include "store/core/fields.h"
#include "store/customers/customers.h"

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

// Customers by their schema fields; the remaining columns stay empty.
struct Customer {
    const char* last;
    const char* first;
    const char* street = "";
    const char* city = "";
    const char* state = "";
    const char* zip = "";
    const char* country = "";
};

StringTable Customers(const std::vector<Customer>& list) {
    StringTable t;
    SetupCustomerGrid(t);
    t.SetRowCount(static_cast<int>(list.size()) + 1);
    for (std::size_t i = 0; i < list.size(); ++i) {
        int r = static_cast<int>(i) + 1;
        const Customer& c = list[i];
        t.SetCell(CustomerField(t, "Last Name"), r, c.last);
        t.SetCell(CustomerField(t, "First Name"), r, c.first);
        t.SetCell(CustomerField(t, "Street"), r, c.street);
        t.SetCell(CustomerField(t, "City"), r, c.city);
        t.SetCell(CustomerField(t, "State/Province"), r, c.state);
        t.SetCell(CustomerField(t, "Zip/Postal Code"), r, c.zip);
        t.SetCell(CustomerField(t, "Country"), r, c.country);
    }
    return t;
}

std::vector<std::string> Texts(const std::vector<CustomerChoice>& choices) {
    std::vector<std::string> out;
    for (const auto& c : choices) out.push_back(c.text);
    return out;
}

std::vector<std::string> LastNames(const CustomerList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.ItemCount(); ++i) out.emplace_back(list.Value(i, 1));
    return out;
}

}  // namespace

TEST(SelectCustomer, SortedListAndStartsWithFilter) {
    StringTable t = Customers({{"Smithers", "Wayland", "", "", "MA"},
                               {"Goldsmith", "Ada", "", "", "Maine"},
                               {"baker", "Kim", "", "", "NY"},
                               {"Smithers", "Wayland", "", "", "ma"},
                               {"Abel", "Zed", "", "", "Ohio"}});
    EXPECT_EQ(Texts(FilterCustomers(t, -1, "")),
              (std::vector<std::string>{"Abel, Zed", "baker, Kim", "Goldsmith, Ada",
                                        "Smithers, Wayland", "Smithers, Wayland"}));
    auto smi = FilterCustomers(t, CustomerField(t, "Last Name"), "smi");
    ASSERT_EQ(smi.size(), 2u);  // equal names both listed, table order kept
    EXPECT_EQ(smi[0].row, 1);
    EXPECT_EQ(smi[1].row, 4);
    EXPECT_EQ(
        Texts(FilterCustomers(t, CustomerField(t, "State/Province"), "MA")),
        (std::vector<std::string>{"Goldsmith, Ada", "Smithers, Wayland", "Smithers, Wayland"}));
    // No field chosen: everyone.
    EXPECT_EQ(FilterCustomers(t, -1, "zzz").size(), 5u);
    EXPECT_TRUE(FilterCustomers(t, CustomerField(t, "Last Name"), "zzz").empty());
}

TEST(SelectCustomer, AddressLines) {
    StringTable t = Customers({{"Smith", "Ann", "1 Elm St", "Springfield", "", "12345", "USA"},
                               {"", "", "", "", "ON", "", ""},
                               {"Lee", "Bo", "", "Halifax", "NS", "", ""}});
    EXPECT_EQ(
        CustomerAddressLines(t, 1),
        (std::vector<std::string>{"Smith, Ann", "1 Elm St", "Springfield, ", "USA", "12345"}));
    // No name, no city: the name line stays, the state alone is not written.
    EXPECT_EQ(CustomerAddressLines(t, 2), (std::vector<std::string>{", "}));
    EXPECT_EQ(CustomerAddressLines(t, 3), (std::vector<std::string>{"Lee, Bo", "Halifax, NS"}));
}

TEST(CustomerList, CopyPasteCarriesValuesAndCheckMark) {
    CustomerList list;
    list.GridToList(Customers({{"A", "1"}, {"B", "2"}, {"C", "3"}}));
    list.SetChecked(2, true);
    list.Copy(2);
    EXPECT_EQ(list.PasteBefore(0), 0);  // pasting at the top
    EXPECT_EQ(LastNames(list), (std::vector<std::string>{"C", "A", "B", "C"}));
    EXPECT_TRUE(list.Checked(0));
    EXPECT_EQ(list.Value(0, 2), "3");
    // The copy is a row of its own.
    list.SetValue(0, 1, "Changed");
    EXPECT_EQ(list.Value(3, 1), "C");

    StringTable back;
    list.ListToGrid(back);
    EXPECT_EQ(back.RowCount(), 5);
    EXPECT_EQ(back.ColCount(), 12);
    EXPECT_EQ(back.Cell(1, 1), "Changed");
    EXPECT_EQ(back.Cell(1, 0), "Last Name");
}

TEST(CustomerList, PasteBeforeCopyInsertsAnEmptyCustomer) {
    CustomerList list;
    list.GridToList(Customers({{"A", "1"}}));
    EXPECT_EQ(list.PasteBefore(0), 0);
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.Values(0), std::vector<std::string>(12));
    EXPECT_FALSE(list.Checked(0));
}

TEST(CustomerList, MoveKeepsEachRowsCheckMark) {
    CustomerList list;
    list.GridToList(Customers({{"A", ""}, {"B", ""}, {"C", ""}}));
    list.SetChecked(1, true);
    EXPECT_EQ(list.MoveUp(1), 0);
    EXPECT_EQ(LastNames(list), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_TRUE(list.Checked(0));
    EXPECT_FALSE(list.Checked(1));
    EXPECT_EQ(list.MoveUp(0), 0);
    EXPECT_EQ(list.MoveDown(2), 2);
    EXPECT_EQ(list.MoveDown(0), 1);
    EXPECT_EQ(LastNames(list), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(list.Checked(1));
}

TEST(CustomerList, SteppingAndCheckedRows) {
    CustomerList list;
    list.GridToList(Customers({{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}}));
    EXPECT_FALSE(list.AnyChecked());
    EXPECT_EQ(list.CheckedRows().RowCount(), 1);
    list.SetChecked(0, true);
    list.SetChecked(2, true);
    EXPECT_EQ(list.NextChecked(0), 2);
    EXPECT_EQ(list.NextChecked(2), -1);
    EXPECT_EQ(list.PreviousChecked(3), 2);
    EXPECT_EQ(list.PreviousChecked(0), -1);
    EXPECT_EQ(list.NextChecked(-1), -1);
    StringTable rows = list.CheckedRows();
    ASSERT_EQ(rows.RowCount(), 3);
    EXPECT_EQ(rows.Cell(1, 0), "Last Name");
    EXPECT_EQ(rows.Cell(1, 1), "A");
    EXPECT_EQ(rows.Cell(1, 2), "C");
    list.RemoveItem(0);
    EXPECT_EQ(LastNames(list), (std::vector<std::string>{"B", "C", "D"}));
    EXPECT_TRUE(list.Checked(1));
}
