#pragma once
// Item histories: six texts per entry (date, activity, invoice, quantity,
// total, notes), one list per inventory row, kept on disk as one small text
// file per item, "Item" + row number + ".ihf", numbered in the current row
// order. Also the history table shown by the item view dialog.
#include "store/core/fields.h"
#include "store/core/stringtable.h"

#include <cstdint>
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
// Each text followed by CR LF; an empty list gives no bytes.
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
// entry 0 unused. Returns the messages of files that exist but cannot be read.
// `disk`, when given, learns what the files hold.
std::vector<std::string> LoadItemHistory(const std::string& folder, int itemCount,
                                         std::vector<HistoryList>& histories,
                                         HistoryDiskState* disk = nullptr);

// Writes histories[1..] as Item1.ihf, Item2.ihf ... and removes every other
// ".ihf" file of the folder. The new set is written to temporary files and
// synced first; only then do they replace the old files and are the stale
// ones removed, so a failure part-way leaves the previous set as it was.
// Raises StoreError("Cannot create " + path) on failure. With `disk`, files
// known to hold the right bytes already are not written again, and `disk`
// is kept up to date.
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
// The rows in use (tag above 0), six cells each, in row order.
void DirToList(const StringTable& dir, HistoryList& history);
// The lowest row from 1 whose six cells are all empty; grows the table by a
// row when that is the last one, so a free last row remains. Never fails.
int FindFreeHistoryRow(StringTable& dir);

}  // namespace brenvik
