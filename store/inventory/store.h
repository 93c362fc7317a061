#pragma once
// The store of the store program: the inventory table with one history list
// per item row, the customer table, the field list, the settings and the
// invoice table, with the start-up load and the save sequences. The screens
// work on one Store held by the inventory window.
#include "store/core/fields.h"
#include "store/core/settings.h"
#include "store/core/stringtable.h"
#include "store/inventory/history.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The invoice table's eleven headings, in column order.
const std::vector<std::string>& InvoiceFieldNames();
// Writes the headings into row 0 (the table gets at least eleven columns).
void SetInvoiceGridFields(StringTable& invoices);

// A whole number in the platform's integer syntax: leading spaces, an
// optional sign, then decimal digits or "$" and hexadecimal digits; 32 bits.
bool ParseWholeNumber(std::string_view text, std::int32_t& value);

class Store {
public:
    static constexpr const char* kInventoryFile = "Inventory.dt2";
    static constexpr const char* kCustomersFile = "Customers.dt2";
    static constexpr const char* kInvoicesFile = "Invoices.dt2";

    // `folder` is the data folder; a missing trailing '/' is added.
    explicit Store(std::string folder);

    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& name) const { return folder_ + name; }

    StringTable Data;  // row 0 headings, row r = item r
    StringTable CustomerData;
    std::vector<FieldData> Fields;       // the 15 inventory fields in column order
    Settings Values;                     // the store's settings
    std::vector<HistoryList> Histories;  // Histories[r] belongs to Data row r; [0] unused
    StringTable InvoiceGrid{128};

    // Start-up: a save cut short is finished first (FinishInterruptedSave),
    // then the field list, settings defaults, "Inventory.dt2", empty
    // histories, the customer table, the history files, the settings files and
    // the derived fields, in that order. A table that cannot be read stays
    // empty and loading goes on; the messages are returned, one per file, the
    // one about an interrupted save first. With `finishSave` false a cut-short
    // save is left as it is (for a look that changes nothing).
    std::vector<std::string> LoadInventory(bool finishSave = true);
    // The invoice table: headings and one blank row, then "Invoices.dt2" when
    // it exists, with the program's headings written over the stored ones.
    // Returns the message when the file cannot be read (the table stays empty).
    // Finishes a save cut short first, as LoadInventory does.
    std::vector<std::string> LoadInvoices(bool finishSave = true);

    // Each raises StoreError with the failing file's message.
    void SaveSettings() const;  // never fails: settings errors are ignored
    void SaveData() const;
    void SaveCustomers() const;
    void SaveHistories();
    void SaveInvoices() const;
    // Program end: settings, inventory, customers, histories, invoices, all
    // in one save that takes effect whole or not at all (storesave.h): on
    // the first failure nothing has changed.
    void SaveAll();
    // Inventory window close: inventory, customers, histories, settings, in
    // one save as SaveAll.
    void SaveInventory();

    int ItemCount() const { return Data.RowCount() - 1; }
    int FieldCount() const { return static_cast<int>(Fields.size()); }
    // The history of a row, made when missing (rows added to Data by others).
    HistoryList& History(int row);
    // One history per row of Data, no more, no less.
    void SyncHistories();
    // Data back in the list's shape: one column per field, the field names as
    // headings, a history per row. Cheap when nothing is out of shape.
    void ConformData();

    // Item rows; histories move with their rows.
    std::vector<std::string> ItemValues(int row) const;  // one per field
    void SetItemValues(int row, const std::vector<std::string>& values);
    int AppendItem();  // empty values, empty history
    void InsertItem(int row, const std::vector<std::string>& values, HistoryList history);
    void RemoveItem(int row);
    void SwapItems(int a, int b);
    // New row i + 1 is old row order[i]; order holds every item row once.
    void ReorderItems(const std::vector<int>& order);
    // Item rows ordered by the text of `column`, byte by byte, stable.
    std::vector<int> SortedOrder(int column, bool ascending) const;

    void ComputeDerivedFields();
    // Quantity minus / plus `amount`, written as a whole number.
    void UpdateQuantity(int row, std::string_view amount);
    void AddQuantity(int row, std::string_view amount);
    // The largest bar code above 0 read as a whole number, plus 10; 100000
    // when there is none.
    std::string NextBarcodeNumber() const;
    std::vector<std::string> BarCodes() const;
    // The field of that name ignoring case, or null.
    const FieldData* Field(std::string_view name) const;

private:
    void ChangeQuantity(int row, std::string_view amount, bool add);
    // A table file that could not be read is moved aside (name +
    // ".unreadable") before the first save over it, so its content is kept.
    void KeepUnreadableAside(const std::string& path) const;
    void SaveTable(const StringTable& table, const char* name) const;
    void StageTable(SaveBatch& batch, const StringTable& table, const char* name) const;
    enum SavePart : unsigned {
        kSaveSettings = 1,
        kSaveData = 2,
        kSaveCustomers = 4,
        kSaveHistories = 8,
        kSaveInvoices = 16
    };
    void SaveParts(unsigned parts);
    // The message of a save cut short, once.
    std::vector<std::string> FinishSave(bool finish);
    mutable std::vector<std::string> unreadable_;
    std::string folder_;
    HistoryDiskState historyFiles_;
    bool inventoryUnread_ = false;  // its history files are kept at the next save
};

}  // namespace brenvik
