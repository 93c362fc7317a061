#pragma once
// A small store written to a data folder for the report tests: four items
// with histories (one of them long), three customers.
#include "store/core/fields.h"
#include "store/inventory/store.h"

#include <string>
#include <vector>

namespace reports_test {

// Inventory columns used by the tests.
constexpr int kDateAdded = 0, kItem = 1, kType = 3, kCost = 4, kQuantity = 6;

inline std::vector<std::string> ItemValues(const std::string& date, const std::string& item,
                                           const std::string& type, const std::string& cost,
                                           const std::string& quantity) {
    std::vector<std::string> v(15);
    v[kDateAdded] = date;
    v[kItem] = item;
    v[kType] = type;
    v[kCost] = cost;
    v[kQuantity] = quantity;
    return v;
}

inline void AddEntry(brenvik::HistoryList& h, const std::string& date, const std::string& activity,
                     const std::string& qty, const std::string& total) {
    h.insert(h.end(), {date, activity, "", qty, total, ""});
}

// Writes the store into `folder` as the program saves it.
inline void WriteSampleStore(const std::string& folder) {
    brenvik::Store store(folder);
    store.LoadInventory();
    const std::vector<std::vector<std::string>> items = {
        ItemValues("2006/03/02", "Hat", "Clothing", "$1,250.00", "3"),
        ItemValues("2005/03/15", "Cap", "clothing", "2.50", "12"),
        ItemValues("", "Pin", "Jewelry", "$0.25", "1 pcs"),
        ItemValues("2006/04/01", "Ring", "Jewelry", "abc", "40"),
    };
    for (const auto& values : items) store.SetItemValues(store.AppendItem(), values);
    AddEntry(store.History(1), "2006/03/01", "Invoice Sale", "2", "$20.00");
    AddEntry(store.History(1), "2006/03/05", "Product Received from Supplier", "10", "$50.00");
    AddEntry(store.History(2), "2006/03/05", "Product Return", "1", "$2.50");
    // Longer than the item view's history table.
    for (int i = 0; i < 3000; ++i)
        AddEntry(store.History(3), "2006/03/07", "Invoice Sale", "1 pcs", "$0.25");
    store.ComputeDerivedFields();
    brenvik::SetupCustomerGrid(store.CustomerData);
    store.CustomerData.SetRowCount(4);
    const char* customers[3][3] = {
        {"2006/01/05", "Smith", "Ann"}, {"2007/01/05", "Jones", "Bob"}, {"", "Brown", "Cy"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) store.CustomerData.SetCell(c, r + 1, customers[r][c]);
    store.SaveAll();
}

}  // namespace reports_test
