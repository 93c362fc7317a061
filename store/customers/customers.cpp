#include "store/customers/customers.h"

#include "store/core/codepage.h"
#include "store/core/fields.h"

#include <algorithm>

namespace brenvik {

CustomerList::CustomerList() : rows_(64) {}

void CustomerList::GridToList(const StringTable& table) {
    rows_ = table;
    checked_.assign(static_cast<std::size_t>(ItemCount()), 0);
    if (clipValues_.size() < static_cast<std::size_t>(ColumnCount()))
        clipValues_.resize(static_cast<std::size_t>(ColumnCount()));
}

void CustomerList::ListToGrid(StringTable& table) const {
    table.SetSize(rows_.ColCount(), rows_.RowCount());
    for (int r = 0; r < rows_.RowCount(); ++r)
        for (int c = 0; c < rows_.ColCount(); ++c) table.SetCell(c, r, rows_.Cell(c, r));
}

std::vector<std::string> CustomerList::Values(int item) const {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(ColumnCount()));
    for (int c = 0; c < ColumnCount(); ++c) out.emplace_back(Value(item, c));
    return out;
}

void CustomerList::SetValues(int item, const std::vector<std::string>& values) {
    for (int c = 0; c < ColumnCount(); ++c)
        SetValue(item, c, c < static_cast<int>(values.size()) ? values[c] : std::string());
}

bool CustomerList::Checked(int item) const {
    return item >= 0 && item < ItemCount() && checked_[static_cast<std::size_t>(item)];
}

void CustomerList::SetChecked(int item, bool on) {
    if (item >= 0 && item < ItemCount()) checked_[static_cast<std::size_t>(item)] = on;
}

bool CustomerList::AnyChecked() const {
    return std::find(checked_.begin(), checked_.end(), 1) != checked_.end();
}

int CustomerList::AddItem() {
    rows_.InsertRow(rows_.RowCount());
    checked_.push_back(0);
    return ItemCount() - 1;
}

void CustomerList::RemoveItem(int item) {
    if (item < 0 || item >= ItemCount()) return;
    rows_.DeleteRow(item + 1);
    checked_.erase(checked_.begin() + item);
}

void CustomerList::Copy(int item) {
    if (item < 0 || item >= ItemCount()) return;
    clipValues_ = Values(item);
    clipChecked_ = Checked(item);
}

int CustomerList::PasteBefore(int item) {
    if (item < 0 || item >= ItemCount()) return -1;
    rows_.InsertRow(item + 1);
    checked_.insert(checked_.begin() + item, clipChecked_ ? 1 : 0);
    SetValues(item, clipValues_);
    return item;
}

int CustomerList::MoveUp(int item) {
    if (item <= 0 || item >= ItemCount()) return item;
    rows_.MoveRow(item + 1, item);
    std::swap(checked_[static_cast<std::size_t>(item)],
              checked_[static_cast<std::size_t>(item - 1)]);
    return item - 1;
}

int CustomerList::MoveDown(int item) {
    if (item < 0 || item + 1 >= ItemCount()) return item;
    rows_.MoveRow(item + 1, item + 2);
    std::swap(checked_[static_cast<std::size_t>(item)],
              checked_[static_cast<std::size_t>(item + 1)]);
    return item + 1;
}

int CustomerList::PreviousChecked(int item) const {
    if (item < 0) return -1;
    for (int i = item - 1; i >= 0; --i)
        if (Checked(i)) return i;
    return -1;
}

int CustomerList::NextChecked(int item) const {
    if (item < 0) return -1;
    for (int i = item + 1; i < ItemCount(); ++i)
        if (Checked(i)) return i;
    return -1;
}

StringTable CustomerList::CheckedRows() const {
    return CheckedTableRows(rows_, [this](int item) { return Checked(item); });
}

std::vector<CustomerChoice> FilterCustomers(const StringTable& customers, int column,
                                            std::string_view startsWith) {
    int last = CustomerField(customers, "Last Name");
    int first = CustomerField(customers, "First Name");
    bool filtered = column >= 0 && !startsWith.empty();
    std::string prefix = LowerWestern(startsWith);
    std::vector<std::pair<std::string, CustomerChoice>> keyed;
    for (int r = 1; r < customers.RowCount(); ++r) {
        if (filtered && LowerWestern(customers.Cell(column, r)).rfind(prefix, 0) != 0) continue;
        std::string text = customers.CellText(last, r) + ", " + customers.CellText(first, r);
        std::string key = LowerWestern(text);
        keyed.push_back({std::move(key), {std::move(text), r}});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<CustomerChoice> out;
    out.reserve(keyed.size());
    for (auto& k : keyed) out.push_back(std::move(k.second));
    return out;
}

std::vector<std::string> CustomerAddressLines(const StringTable& customers, int row) {
    auto cell = [&](std::string_view name) {
        return customers.CellText(CustomerField(customers, name), row);
    };
    std::vector<std::string> lines;
    lines.push_back(cell("Last Name") + ", " + cell("First Name"));
    if (auto street = cell("street"); !street.empty()) lines.push_back(street);
    if (auto city = cell("city"); !city.empty())
        lines.push_back(city + ", " + cell("state/province"));
    if (auto country = cell("country"); !country.empty()) lines.push_back(country);
    if (auto zip = cell("zip/postal code"); !zip.empty()) lines.push_back(zip);
    return lines;
}

std::vector<EmailContact> EmailContacts(const CustomerList& list) {
    const StringTable& t = list.Table();
    const int email = CustomerField(t, "Email");
    const int first = CustomerField(t, "First Name");
    const int last = CustomerField(t, "Last Name");
    std::vector<EmailContact> out;
    for (int item = 0; item < list.ItemCount(); ++item) {
        std::string_view address = list.Value(item, email);
        if (address.find('@') == std::string_view::npos) continue;
        out.push_back(
            {std::string(list.Value(item, first)) + " " + std::string(list.Value(item, last)),
             std::string(address), list.Checked(item)});
    }
    return out;
}

}  // namespace brenvik
