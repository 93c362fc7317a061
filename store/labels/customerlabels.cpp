#include "store/labels/customerlabels.h"

namespace brenvik {

bool BlankCustomer(const CustomerList& list, int item) {
    for (int c = 0; c < list.ColumnCount(); ++c)
        if (!list.Value(item, c).empty()) return false;
    return true;
}

std::vector<int> LabelItems(const CustomerList& list, LabelRecordMode mode, int selected) {
    if (selected < 0 || selected >= list.ItemCount()) {
        if (mode == LabelRecordMode::Selected) mode = LabelRecordMode::All;
        selected = -1;
    }
    if (mode == LabelRecordMode::Selected) return {selected};
    std::vector<int> items;
    for (int i = 0; i < list.ItemCount(); ++i) {
        if (mode == LabelRecordMode::Checked && !list.Checked(i)) continue;
        // The table's blank rows would print as empty labels.
        if (BlankCustomer(list, i)) continue;
        items.push_back(i);
    }
    return items;
}

std::vector<std::vector<std::string>> CustomerLabelTexts(const CustomerList& list,
                                                         const std::vector<int>& items,
                                                         const std::vector<LabelEntry>& entries) {
    std::vector<std::vector<std::string>> texts;
    texts.reserve(items.size());
    for (int item : items)
        texts.push_back(GenerateLabelText(entries, [&](int column) {
            return column < list.ColumnCount() ? std::string(list.Value(item, column))
                                               : std::string();
        }));
    return texts;
}

std::vector<std::string> ListHeadings(const CustomerList& list) {
    std::vector<std::string> headings;
    for (int c = 0; c < list.ColumnCount(); ++c) headings.emplace_back(list.Heading(c));
    return headings;
}

}  // namespace brenvik
