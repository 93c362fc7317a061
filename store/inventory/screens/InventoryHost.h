#pragma once
// What the item dialogs need of the inventory window that opened them: the
// store, the list brought into the table and back, and the stock changes.
#include <string_view>

namespace brenvik {

class Store;

class InventoryHost {
public:
    virtual ~InventoryHost() = default;
    virtual Store& GetStore() = 0;
    // Brings the inventory table up to date with the list.
    virtual void ListToGrid() = 0;
    // Redraws one list item after its table row changed.
    virtual void RefreshItem(int item) = 0;
    virtual void UpdateQuantity(int item, std::string_view amount) = 0;
    virtual void AddQuantity(int item, std::string_view amount) = 0;
    // Whether list item `item` carries a check mark.
    virtual bool ItemChecked(int item) const {
        (void)item;
        return false;
    }
};

}  // namespace brenvik
