#include "store/core/fields.h"

#include "store/core/money.h"

#include <algorithm>

namespace brenvik {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

struct Schema {
    const char* name;
    int code;
    const char* detailField;
    const char* choiceText;
};

constexpr Schema kInventorySchema[] = {
    {"Date Added", FieldDate, "", ""},
    {"Item", FieldText, "",
     "Computer,Ink Jet Printer,Laser Printer,Scanner,Monitor,UPS,Speakers,Modem"},
    {"Bar Code", FieldBarCode, "", ""},
    {"Type", FieldText, "",
     "Windows 3.1, Windows 95, Windows 98, Windows ME, Windows NT, Windows 2000,Mac OS, Linux, "
     "Unix"},
    {"Cost", FieldNumber, "", ""},
    {"Sale Price", FieldNumber, "", ""},
    {"Quantity", FieldNumber, "", ""},
    {"Desired Quantity", FieldNumber, "", ""},
    {"Supplier", FieldText, "", ""},
    {"Location", FieldText, "", ""},
    {"Web ID", FieldWebId, "", ""},
    {"Description", FieldText, "", ""},
    {"Total Sold", FieldTotalSold, "Quantity", ""},
    {"Total Revenue", FieldTotalRevenue, "Total", ""},
    {"Required (Desired - Quantity)", FieldRequired, "Quantity", ""},
};
constexpr int kInventoryFieldCount = int(std::size(kInventorySchema));

// Columns of the two inventory cells that the required quantity is made of.
constexpr int kQuantityColumn = 6;
constexpr int kDesiredQuantityColumn = 7;

void SetHeadings(StringTable& table, const std::vector<std::string>& names) {
    table.SetSize(int(names.size()), 1);
    for (int c = 0; c < int(names.size()); ++c) table.SetCell(c, 0, names[std::size_t(c)]);
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::vector<std::string> ParseChoiceList(std::string_view choiceText) {
    std::vector<std::string> list;
    auto add = [&list](std::string_view piece) {
        const auto at = std::lower_bound(list.begin(), list.end(), piece,
                                         [](const std::string& entry, std::string_view p) {
                                             return CompareIgnoringCase(entry, p) < 0;
                                         });
        if (at != list.end() && CompareIgnoringCase(*at, piece) == 0) return;  // duplicate
        list.insert(at, std::string(piece));
    };
    std::size_t start = 0;
    for (std::size_t comma = choiceText.find(','); comma != std::string_view::npos;
         comma = choiceText.find(',', start)) {
        add(choiceText.substr(start, comma - start));
        start = comma + 1;
    }
    if (start < choiceText.size()) add(choiceText.substr(start));
    return list;
}

std::vector<FieldData> InventoryFields() {
    std::vector<FieldData> fields;
    fields.reserve(std::size(kInventorySchema));
    for (const Schema& s : kInventorySchema)
        fields.push_back(
            FieldData{s.name, s.code, s.detailField, s.choiceText, ParseChoiceList(s.choiceText)});
    return fields;
}

const std::vector<std::string>& CustomerFieldNames() {
    static const std::vector<std::string> names = {
        "Date Added",      "Last Name", "First Name", "Street",     "City",  "State/Province",
        "Zip/Postal Code", "Country",   "Home Phone", "Work Phone", "Email", "Other",
    };
    return names;
}

const std::vector<std::string>& HistoryFieldNames() {
    static const std::vector<std::string> names = {"Date",     "Activity", "Invoice",
                                                   "Quantity", "Total",    "Notes"};
    return names;
}

int HeadingColumn(const StringTable& table, std::string_view name) {
    int found = 0;
    for (int c = 0; c < table.ColCount(); ++c)
        if (EqualIgnoringCase(table.Cell(c, 0), name)) found = c;
    return found;
}

int ReturnDetailField(std::string_view name) {
    const auto& names = HistoryFieldNames();
    int found = 0;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (EqualIgnoringCase(names[i], name)) found = int(i) + 1;
    return found;
}

void SetupCustomerGrid(StringTable& customers) { SetHeadings(customers, CustomerFieldNames()); }

void SetupInventoryGrid(StringTable& data) {
    std::vector<std::string> names;
    for (const Schema& s : kInventorySchema) names.emplace_back(s.name);
    SetHeadings(data, names);
}

bool AllowFieldEdit(int code) {
    return code != FieldDate && code != FieldBarCode && code != FieldWebId && code <= 99;
}

std::string ComputeDetailSum(const HistoryList& history, std::string_view detailField) {
    // The d-th value of every entry, the last entry counting even when cut short.
    const int d = ReturnDetailField(detailField);
    std::vector<std::string> values;
    if (d > 0)
        for (std::size_t n = std::size_t(d) - 1; n < history.size();
             n += HistoryFieldNames().size())
            values.push_back(history[n]);
    return GetSumFromStringList(values);
}

std::string ComputeRequired(std::string_view desired, std::string_view quantity) {
    // Cuts the point and both decimals off without rounding: 12.75 gives 12.
    std::string difference = SubtractStrings(desired, quantity);
    if (difference.size() > 3 && difference[difference.size() - 3] == '.')
        difference.resize(difference.size() - 3);
    return difference;
}

void ComputeDerivedFields(StringTable& data, const std::vector<HistoryList>& histories) {
    static const HistoryList kNoHistory;
    const int columns = std::min(data.ColCount(), kInventoryFieldCount);
    for (int r = 1; r < data.RowCount(); ++r) {
        const HistoryList& history =
            std::size_t(r) < histories.size() ? histories[std::size_t(r)] : kNoHistory;
        for (int c = 0; c < columns; ++c) {
            const Schema& field = kInventorySchema[c];
            switch (field.code) {
            case FieldTotalSold:
                data.SetCell(c, r, StringRound(ComputeDetailSum(history, field.detailField)));
                break;
            case FieldTotalRevenue:
                data.SetCell(c, r, MakeMoney(ComputeDetailSum(history, field.detailField)));
                break;
            case FieldRequired:
                data.SetCell(c, r,
                             ComputeRequired(data.Cell(kDesiredQuantityColumn, r),
                                             data.Cell(kQuantityColumn, r)));
                break;
            default:
                break;
            }
        }
    }
}

std::string GetBarCode(Prompter& prompter, const std::string& current,
                       const std::vector<std::string>& inventoryBarCodes) {
    const std::string answer = prompter.InputBox("Scan Barcode", "Scan or Type Barcode", current);
    if (answer.empty()) return {};
    if (answer == current) return current;
    const std::string code = StripNonNumeric(answer);
    if (code == "0") {
        prompter.Message(MsgKind::Error, "You have entered an invalid bar code value.",
                         MsgButtons::Ok);
        return current;
    }
    // The item's own bar code typed with other characters is no duplicate.
    if (code == current) return current;
    if (std::find(inventoryBarCodes.begin(), inventoryBarCodes.end(), code) !=
        inventoryBarCodes.end()) {
        prompter.Message(MsgKind::Error, "You have entered duplicate bar code value.",
                         MsgButtons::Ok);
        return current;
    }
    return code;
}

}  // namespace brenvik
