#pragma once
// Which customers get a label, and the text of each label.
#include "store/customers/customers.h"
#include "store/labels/labeltext.h"

#include <string>
#include <vector>

namespace brenvik {

enum class LabelRecordMode { Selected, All, Checked };

// True when every value of the item is empty: such a row is no customer.
bool BlankCustomer(const CustomerList& list, int item);

// The items to print, in list order: the selected one, every customer, or
// the checked ones. With no item selected "Selected" prints every customer.
std::vector<int> LabelItems(const CustomerList& list, LabelRecordMode mode, int selected);

// The lines of each item's label.
std::vector<std::vector<std::string>> CustomerLabelTexts(const CustomerList& list,
                                                         const std::vector<int>& items,
                                                         const std::vector<LabelEntry>& entries);

// The list's headings, in column order.
std::vector<std::string> ListHeadings(const CustomerList& list);

}  // namespace brenvik
