#pragma once
// Item histories: six texts per entry (date, activity, invoice, quantity,
// total, notes), one list per inventory row, kept on disk as one small text
// file per item, "Item" + row number + ".ihf", numbered in the current row
// order. Also the history table shown by the item view dialog.
#include "store/core/fields.h"
#include "store/core/stringtable.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// "Item" + row + ".ihf".
std::string HistoryFileName(int row);
// The row of a name "Item<n>.ihf" as the save writes it; 0 for any other name.
int HistoryFileRow(std::string_view name);
// Whether a name ends in ".ihf", in any case.
bool EndsWithIhf(std::string_view name);
// A value as a history can hold it: each line break (CR LF, CR or LF) made
// one space, since every value is one line of the history file. Every place
// where a value enters a history goes through this.
std::string HistoryValue(std::string_view text);
// Appends one entry, each value made a HistoryValue.
void AppendHistoryEntry(HistoryList& history, std::initializer_list<std::string_view> values);
// Each text followed by CR LF; an empty list gives no bytes. The writer never
// writes a line break inside a value, which would move every later value of
// the file one field along: such a value is written as HistoryValue gives it.
std::string HistoryFileBytes(const HistoryList& history);
// Splits at CR LF, a lone CR and a lone LF; a last line without an end
// still counts.
HistoryList ParseHistoryBytes(std::string_view bytes);

// What the history files of a folder hold, as last read or written by this
// program: a fingerprint of each file's bytes by its number. A save leaves a
// file whose bytes would not change alone; on disks where replacing a file
// is slow, that is what keeps the save of a large store quick.
struct HistoryDiskState {
    std::vector<std::uint64_t> fingerprints;  // [row]; 0 = unknown or absent
    static std::uint64_t Fingerprint(std::string_view bytes);
};

// Replaces histories[1..itemCount] by the content of their files (a missing
// file gives an empty list); histories ends up with itemCount + 1 entries,
// entry 0 unused. When "Item<n>.ihf" is missing, a name that differs from it
// only in case ("ITEM1.IHF") is read instead. Returns one message for each
// file that exists but cannot be read, naming the item (through `describe`,
// when given) and where the file is. `disk`, when given, learns what the
// files hold.
std::vector<std::string> LoadItemHistory(
    const std::string& folder, int itemCount, std::vector<HistoryList>& histories,
    HistoryDiskState* disk = nullptr,
    const std::function<std::string(int row)>& describe = nullptr);

class SaveBatch;
// Adds to `batch` the files Item1.ihf, Item2.ihf ... of histories[1..] and the
// removal of every other ".ihf" file of the folder that can be read. A file
// that cannot be read (no permission, a folder) is never removed or
// replaced: it is moved aside at once (KeepAside). With `disk`, files known to
// hold the right bytes already are not written again. Returns what the files
// hold once the batch is committed. Raises StoreError("Cannot create " +
// path) on failure.
std::vector<std::uint64_t> StageItemHistory(SaveBatch& batch, const std::string& folder,
                                            const std::vector<HistoryList>& histories,
                                            const HistoryDiskState* disk = nullptr);

// StageItemHistory in a batch of its own, committed: the whole set is
// replaced or, on failure, the previous set stays. `disk`, when given, is
// used and kept up to date.
void SaveItemHistory(const std::string& folder, const std::vector<HistoryList>& histories,
                     HistoryDiskState* disk = nullptr);

// The history table: 6 columns, the field names in row 0, the column-0 tag
// of each row telling its state.
enum HistoryRowTag : int { HistoryRowUnused = -1, HistoryRowCleared = 0, HistoryRowInUse = 1 };
constexpr int kHistoryTableRows = 2500;

// Empties every cell, marks every row unused and writes the headings.
void ClearGrid(StringTable& dir);
// ClearGrid, then one entry per row from row 1. The table grows when the
// list holds more entries than it has rows, always keeping a free last row,
// so that no entry is left out.
void ListToDir(StringTable& dir, const HistoryList& history);
// The rows in use (tag above 0), six cells each, in row order, each made a
// HistoryValue (cells typed or pasted into the table may hold line breaks).
void DirToList(const StringTable& dir, HistoryList& history);
// The lowest row from 1 whose six cells are all empty; grows the table by a
// row when that is the last one, so a free last row remains. Never fails.
int FindFreeHistoryRow(StringTable& dir);

}  // namespace brenvik
