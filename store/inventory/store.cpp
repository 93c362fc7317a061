#include "store/inventory/store.h"

#include "store/core/datafolder.h"
#include "store/core/error.h"
#include "store/core/money.h"
#include "store/core/safefile.h"
#include "store/core/storesave.h"
#include "store/inventory/history.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <numeric>
#include <utility>

namespace brenvik {

const std::vector<std::string>& InvoiceFieldNames() {
    static const std::vector<std::string> names = {
        "Date",    "Invoice Number", "Customer",       "Pre-Tax amount",  "Discount", "Tax One",
        "Tax Two", "Total",          "Payment Method", "Amount Received", "Items"};
    return names;
}

void SetInvoiceGridFields(StringTable& invoices) {
    const auto& names = InvoiceFieldNames();
    if (invoices.ColCount() < static_cast<int>(names.size()))
        invoices.SetColCount(static_cast<int>(names.size()));
    for (std::size_t c = 0; c < names.size(); ++c)
        invoices.SetCell(static_cast<int>(c), 0, names[c]);
}

bool ParseWholeNumber(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    if (i >= text.size()) return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int d;
        if (std::isdigit(c)) d = c - '0';
        else if (base == 16 && std::isxdigit(c)) d = std::tolower(c) - 'a' + 10;
        else return false;
        v = v * base + d;
        // Hexadecimal may fill all 32 bits; decimal must fit the signed range.
        if (v > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL)) return false;
    }
    if (base == 16) {
        std::int32_t bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
        value = negative ? -bits : bits;
        return true;
    }
    if (negative) v = -v;
    if (v > 0x7FFFFFFFLL || v < -0x80000000LL) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

Store::Store(std::string folder) : folder_(NormalizeFolder(std::move(folder))) {
    Fields = InventoryFields();
    SetupInventoryGrid(Data);
    SetupCustomerGrid(CustomerData);
    Histories.resize(1);
    InvoiceGrid.SetSize(static_cast<int>(InvoiceFieldNames().size()), 2);
    SetInvoiceGridFields(InvoiceGrid);
}

std::vector<std::string> Store::FinishSave(bool finish) {
    std::vector<std::string> messages;
    if (!finish) return messages;
    std::string message = FinishInterruptedSave(folder_);
    if (!message.empty()) messages.push_back(std::move(message));
    return messages;
}

std::vector<std::string> Store::LoadInventory(bool finishSave) {
    std::vector<std::string> errors = FinishSave(finishSave);
    Fields = InventoryFields();
    Values = Settings();

    SetupInventoryGrid(Data);
    std::string path = PathOf(kInventoryFile);
    if (FileExists(path)) {
        try {
            Data.LoadFromFile(path);
        } catch (const StoreError& e) {
            errors.emplace_back(e.what());
            unreadable_.push_back(path);
            inventoryUnread_ = true;
            Data = StringTable();
            SetupInventoryGrid(Data);
        }
    }
    Histories.assign(static_cast<std::size_t>(Data.RowCount()), HistoryList());

    SetupCustomerGrid(CustomerData);
    path = PathOf(kCustomersFile);
    if (FileExists(path)) {
        try {
            CustomerData.LoadFromFile(path);
        } catch (const StoreError& e) {
            errors.emplace_back(e.what());
            unreadable_.push_back(path);
            CustomerData = StringTable();
            SetupCustomerGrid(CustomerData);
        }
    }

    const int nameColumn = GridField(Data, "Item");
    const auto describe = [&](int row) { return std::string(Data.Cell(nameColumn, row)); };
    for (std::string& e :
         LoadItemHistory(folder_, ItemCount(), Histories, &historyFiles_, describe))
        errors.push_back(std::move(e));
    LoadSettings(folder_, Values);
    ComputeDerivedFields();
    return errors;
}

std::vector<std::string> Store::LoadInvoices(bool finishSave) {
    std::vector<std::string> errors = FinishSave(finishSave);
    InvoiceGrid.SetSize(static_cast<int>(InvoiceFieldNames().size()), 2);
    InvoiceGrid.ClearCells();
    SetInvoiceGridFields(InvoiceGrid);
    std::string path = PathOf(kInvoicesFile);
    if (FileExists(path)) {
        try {
            InvoiceGrid.LoadFromFile(path);
        } catch (const StoreError& e) {
            errors.emplace_back(e.what());
            unreadable_.push_back(path);
            InvoiceGrid.SetSize(static_cast<int>(InvoiceFieldNames().size()), 2);
            InvoiceGrid.ClearCells();
        }
        SetInvoiceGridFields(InvoiceGrid);
    }
    return errors;
}

void Store::SaveSettings() const { brenvik::SaveSettings(folder_, Values); }

void Store::KeepUnreadableAside(const std::string& path) const {
    auto it = std::find(unreadable_.begin(), unreadable_.end(), path);
    if (it == unreadable_.end()) return;
    unreadable_.erase(it);
    if (FileExists(path)) KeepAside(path);
}

void Store::SaveTable(const StringTable& table, const char* name) const {
    const std::string path = PathOf(name);
    KeepUnreadableAside(path);
    table.SaveToFile(path);
}

void Store::StageTable(SaveBatch& batch, const StringTable& table, const char* name) const {
    const std::string path = PathOf(name);
    KeepUnreadableAside(path);
    batch.StageWith(name, "Cannot create " + path,
                    [&](SafeFileWriter& file) { table.WriteTableFileTo(file); });
}

void Store::SaveData() const { SaveTable(Data, kInventoryFile); }
void Store::SaveCustomers() const { SaveTable(CustomerData, kCustomersFile); }
void Store::SaveInvoices() const { SaveTable(InvoiceGrid, kInvoicesFile); }

void Store::SaveParts(unsigned parts) {
    // The history files are numbered by row: written apart from the
    // inventory, a crash between the two would give items other items'
    // histories. So every file goes in one save.
    if (inventoryUnread_ && (parts & kSaveHistories)) {
        // The history files belong to the items of the inventory that did
        // not read; they go aside with it rather than being cleaned up.
        for (const std::string& name : ListFolder(folder_))
            if (EndsWithIhf(name)) KeepAside(folder_ + name);
        inventoryUnread_ = false;
    }
    SaveBatch batch(folder_);
    if (parts & kSaveSettings) StageSettings(batch, folder_, Values);
    if (parts & kSaveData) StageTable(batch, Data, kInventoryFile);
    if (parts & kSaveCustomers) StageTable(batch, CustomerData, kCustomersFile);
    std::vector<std::uint64_t> written;
    if (parts & kSaveHistories) {
        SyncHistories();
        written = StageItemHistory(batch, folder_, Histories, &historyFiles_);
    }
    if (parts & kSaveInvoices) StageTable(batch, InvoiceGrid, kInvoicesFile);
    try {
        batch.Commit("Cannot create " + PathOf(kInventoryFile));
    } catch (...) {
        historyFiles_.fingerprints.clear();
        throw;
    }
    if (parts & kSaveHistories) historyFiles_.fingerprints = std::move(written);
}

void Store::SaveHistories() { SaveParts(kSaveHistories); }

void Store::SaveAll() {
    SaveParts(kSaveSettings | kSaveData | kSaveCustomers | kSaveHistories | kSaveInvoices);
}

void Store::SaveInventory() {
    SaveParts(kSaveData | kSaveCustomers | kSaveHistories | kSaveSettings);
}

HistoryList& Store::History(int row) {
    if (row < 0) row = 0;
    if (static_cast<std::size_t>(row) >= Histories.size())
        Histories.resize(static_cast<std::size_t>(row) + 1);
    return Histories[static_cast<std::size_t>(row)];
}

void Store::SyncHistories() { Histories.resize(static_cast<std::size_t>(Data.RowCount())); }

void Store::ConformData() {
    const int cols = FieldCount();
    if (Data.ColCount() != cols) Data.SetColCount(cols);
    for (int c = 0; c < cols; ++c)
        if (Data.Cell(c, 0) != Fields[static_cast<std::size_t>(c)].name)
            Data.SetCell(c, 0, Fields[static_cast<std::size_t>(c)].name);
    SyncHistories();
}

std::vector<std::string> Store::ItemValues(int row) const {
    std::vector<std::string> values(static_cast<std::size_t>(FieldCount()));
    for (int c = 0; c < FieldCount(); ++c)
        values[static_cast<std::size_t>(c)] = Data.CellText(c, row);
    return values;
}

void Store::SetItemValues(int row, const std::vector<std::string>& values) {
    for (int c = 0; c < FieldCount(); ++c)
        Data.SetCell(c, row,
                     c < static_cast<int>(values.size())
                         ? std::string_view(values[static_cast<std::size_t>(c)])
                         : std::string_view());
}

int Store::AppendItem() {
    SyncHistories();
    int row = Data.RowCount();
    Data.InsertRow(row);
    Histories.emplace_back();
    return row;
}

void Store::InsertItem(int row, const std::vector<std::string>& values, HistoryList history) {
    SyncHistories();
    row = std::clamp(row, 1, Data.RowCount());
    Data.InsertRow(row);
    SetItemValues(row, values);
    Histories.insert(Histories.begin() + row, std::move(history));
}

void Store::RemoveItem(int row) {
    if (row < 1 || row >= Data.RowCount()) return;
    SyncHistories();
    Data.DeleteRow(row);
    Histories.erase(Histories.begin() + row);
}

void Store::SwapItems(int a, int b) {
    if (a == b || a < 1 || b < 1 || a >= Data.RowCount() || b >= Data.RowCount()) return;
    SyncHistories();
    if (a > b) std::swap(a, b);
    Data.MoveRow(b, a);      // b now at a, old a at a + 1
    Data.MoveRow(a + 1, b);  // old a to b
    std::swap(Histories[static_cast<std::size_t>(a)], Histories[static_cast<std::size_t>(b)]);
}

void Store::ReorderItems(const std::vector<int>& order) {
    SyncHistories();
    StringTable sorted(Data.DefaultWidth());
    sorted.SetSize(Data.ColCount(), Data.RowCount());
    for (int c = 0; c < Data.ColCount(); ++c) {
        sorted.SetColWidth(c, Data.ColWidth(c));
        sorted.SetCell(c, 0, Data.Cell(c, 0));
    }
    std::vector<HistoryList> histories(Histories.size());
    for (std::size_t i = 0; i < order.size() && static_cast<int>(i) + 1 < Data.RowCount(); ++i) {
        int from = order[i];
        int to = static_cast<int>(i) + 1;
        for (int c = 0; c < Data.ColCount(); ++c) sorted.SetCell(c, to, Data.Cell(c, from));
        histories[static_cast<std::size_t>(to)] =
            std::move(Histories[static_cast<std::size_t>(from)]);
    }
    Data = std::move(sorted);
    Histories = std::move(histories);
}

std::vector<int> Store::SortedOrder(int column, bool ascending) const {
    std::vector<int> order(static_cast<std::size_t>(ItemCount()));
    std::iota(order.begin(), order.end(), 1);
    // std::string_view compares as unsigned bytes, so "10" sorts before "9"
    // and upper case before lower case.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ascending ? Data.Cell(column, a) < Data.Cell(column, b)
                         : Data.Cell(column, b) < Data.Cell(column, a);
    });
    return order;
}

void Store::ComputeDerivedFields() {
    SyncHistories();
    brenvik::ComputeDerivedFields(Data, Histories);
}

void Store::ChangeQuantity(int row, std::string_view amount, bool add) {
    if (row < 1 || row >= Data.RowCount()) return;
    int col = GridField(Data, "quantity");
    std::string_view current = Data.Cell(col, row);
    std::string sum = add ? AddStrings(current, amount) : SubtractStrings(current, amount);
    Data.SetCell(col, row, FormatFixed(ReadLenient(sum), 0));
}

void Store::UpdateQuantity(int row, std::string_view amount) { ChangeQuantity(row, amount, false); }
void Store::AddQuantity(int row, std::string_view amount) { ChangeQuantity(row, amount, true); }

std::string Store::NextBarcodeNumber() const {
    int col = GridField(Data, "bar code");
    std::int32_t best = 0;
    for (int row = 1; row < Data.RowCount(); ++row) {
        std::int32_t v;
        if (ParseWholeNumber(Data.Cell(col, row), v) && v > best) best = v;
    }
    return best > 0 ? std::to_string(static_cast<std::int64_t>(best) + 10) : std::string("100000");
}

std::vector<std::string> Store::BarCodes() const {
    int col = GridField(Data, "bar code");
    std::vector<std::string> codes;
    codes.reserve(static_cast<std::size_t>(ItemCount()));
    for (int row = 1; row < Data.RowCount(); ++row) codes.emplace_back(Data.Cell(col, row));
    return codes;
}

const FieldData* Store::Field(std::string_view name) const {
    const FieldData* found = nullptr;
    auto lower = [](std::string_view s) {
        std::string out(s);
        for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    };
    std::string key = lower(name);
    for (const FieldData& f : Fields)
        if (lower(f.name) == key) found = &f;
    return found;
}

}  // namespace brenvik
