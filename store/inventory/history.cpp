#include "store/inventory/history.h"

#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/core/storesave.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace brenvik {

namespace {

constexpr std::string_view kOldStageSuffix = ".saving";

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::uint64_t HistoryDiskState::Fingerprint(std::string_view bytes) {
    // FNV-1a over the bytes, then the length; never 0, which means "unknown".
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ULL;
    h = (h ^ bytes.size()) * 1099511628211ULL;
    return h ? h : 1;
}

bool EndsWithIhf(std::string_view name) {
    if (name.size() < 4) return false;
    std::string_view ext = name.substr(name.size() - 4);
    return ext[0] == '.' && (ext[1] | 0x20) == 'i' && (ext[2] | 0x20) == 'h' &&
           (ext[3] | 0x20) == 'f';
}

// The row number of a name "Item<n>.ihf" as written by the save, or 0.
int HistoryFileRow(std::string_view name) {
    if (name.size() < 9 || name.substr(0, 4) != "Item" || name.substr(name.size() - 4) != ".ihf")
        return 0;
    std::string_view digits = name.substr(4, name.size() - 8);
    if (digits.empty() || digits[0] == '0') return 0;
    int row = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), row);
    if (ec != std::errc() || end != digits.data() + digits.size()) return 0;
    return row;
}

std::string HistoryFileName(int row) { return "Item" + std::to_string(row) + ".ihf"; }

std::string HistoryValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

void AppendHistoryEntry(HistoryList& history, std::initializer_list<std::string_view> values) {
    for (std::string_view v : values) history.push_back(HistoryValue(v));
}

std::string HistoryFileBytes(const HistoryList& history) {
    std::size_t size = 0;
    for (const std::string& t : history) size += t.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& t : history) {
        if (HasLineBreak(t)) out += HistoryValue(t);
        else out += t;
        out += "\r\n";
    }
    return out;
}

HistoryList ParseHistoryBytes(std::string_view bytes) {
    HistoryList lines;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n; ++i) {
        char c = bytes[i];
        if (c != '\r' && c != '\n') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::vector<std::string> LoadItemHistory(const std::string& folder, int itemCount,
                                         std::vector<HistoryList>& histories,
                                         HistoryDiskState* disk,
                                         const std::function<std::string(int row)>& describe) {
    std::vector<std::string> errors;
    histories.assign(static_cast<std::size_t>(itemCount < 0 ? 1 : itemCount + 1), HistoryList());
    if (disk) disk->fingerprints.assign(histories.size(), 0);
    // History files by their name in lower case, listed once the first
    // time a file is missing under its exact name.
    std::vector<std::pair<std::string, std::string>> byLowerName;
    bool listed = false;
    auto caseVariant = [&](const std::string& name) -> std::string {
        if (!listed) {
            listed = true;
            for (std::string& n : ListFolder(folder))
                if (EndsWithIhf(n)) byLowerName.emplace_back(Lower(n), std::move(n));
            std::sort(byLowerName.begin(), byLowerName.end());
        }
        const std::string key = Lower(name);
        auto it = std::lower_bound(byLowerName.begin(), byLowerName.end(),
                                   std::make_pair(key, std::string()));
        return it != byLowerName.end() && it->first == key ? it->second : std::string();
    };
    std::string bytes;
    for (int row = 1; row <= itemCount; ++row) {
        const std::string name = HistoryFileName(row);
        std::string path = folder + name;
        const bool exact = ReadWholeFile(path, bytes);
        struct stat st {};
        bool exists = exact || ::lstat(path.c_str(), &st) == 0;
        bool read = exact;
        if (!exists) {
            // Stores copied from systems that ignore case ("ITEM1.IHF").
            const std::string other = caseVariant(name);
            if (other.empty()) continue;
            path = folder + other;
            exists = true;
            read = ReadWholeFile(path, bytes);
        }
        if (read) {
            histories[static_cast<std::size_t>(row)] = ParseHistoryBytes(bytes);
            if (disk && exact)
                disk->fingerprints[static_cast<std::size_t>(row)] =
                    HistoryDiskState::Fingerprint(bytes);
            continue;
        }
        std::string item = "item " + std::to_string(row);
        if (describe) {
            const std::string what = describe(row);
            if (!what.empty()) item += " \"" + what + "\"";
        }
        errors.push_back("Cannot open file " + path + ". The history of " + item +
                         " is not shown. The file is kept as " + path +
                         ".unreadable when the store is next saved.");
    }
    return errors;
}

std::vector<std::uint64_t> StageItemHistory(SaveBatch& batch, const std::string& folder,
                                            const std::vector<HistoryList>& histories,
                                            const HistoryDiskState* disk) {
    const int count = histories.empty() ? 0 : static_cast<int>(histories.size()) - 1;
    const std::vector<std::string> before = ListFolder(folder);
    std::vector<char> present(static_cast<std::size_t>(count) + 1, 0);
    for (const std::string& name : before)
        if (int row = HistoryFileRow(name); row >= 1 && row <= count)
            present[static_cast<std::size_t>(row)] = 1;
    std::vector<std::uint64_t> written(static_cast<std::size_t>(count) + 1, 0);
    auto known = [&](int row) {
        return disk && static_cast<std::size_t>(row) < disk->fingerprints.size()
                   ? disk->fingerprints[static_cast<std::size_t>(row)]
                   : 0;
    };

    for (int row = 1; row <= count; ++row) {
        const std::string name = HistoryFileName(row);
        const std::string path = folder + name;
        const std::string bytes = HistoryFileBytes(histories[static_cast<std::size_t>(row)]);
        const std::uint64_t print = HistoryDiskState::Fingerprint(bytes);
        written[static_cast<std::size_t>(row)] = print;
        if (present[static_cast<std::size_t>(row)]) {
            // Files that already hold the right bytes stay as they are.
            if (known(row) == print) continue;
            // One that was not read is never replaced: it goes aside first.
            if (known(row) == 0 && !CanReadFile(path) && KeepAside(path).empty())
                throw StoreError("Cannot create " + path);
        }
        batch.Stage(name, bytes, "Cannot create " + path);
    }

    // Every other history file is stale: removed with the save when it can
    // be read, moved aside when not.
    for (const std::string& name : before) {
        std::string_view n = name;
        if (n.size() > kOldStageSuffix.size() &&
            n.substr(n.size() - kOldStageSuffix.size()) == kOldStageSuffix &&
            EndsWithIhf(n.substr(0, n.size() - kOldStageSuffix.size()))) {
            ::unlink((folder + name).c_str());  // left by an older save
            continue;
        }
        if (!EndsWithIhf(name)) continue;
        const int row = HistoryFileRow(name);
        if (row >= 1 && row <= count) continue;
        if (CanReadFile(folder + name)) batch.Remove(name);
        else KeepAside(folder + name);
    }
    return written;
}

void SaveItemHistory(const std::string& folder, const std::vector<HistoryList>& histories,
                     HistoryDiskState* disk) {
    SaveBatch batch(folder);
    std::vector<std::uint64_t> written = StageItemHistory(batch, folder, histories, disk);
    try {
        batch.Commit("Cannot create " + folder + HistoryFileName(1));
    } catch (...) {
        if (disk) disk->fingerprints.clear();  // trust nothing
        throw;
    }
    if (disk) disk->fingerprints = std::move(written);
}

void ClearGrid(StringTable& dir) {
    dir.SetColCount(6);
    dir.ClearCells();
    for (int r = 0; r < dir.RowCount(); ++r) dir.SetTag(0, r, HistoryRowUnused);
    const auto& names = HistoryFieldNames();
    for (int c = 0; c < 6 && c < static_cast<int>(names.size()); ++c)
        dir.SetCell(c, 0, names[static_cast<std::size_t>(c)]);
}

void ListToDir(StringTable& dir, const HistoryList& history) {
    const int entries = static_cast<int>((history.size() + 5) / 6);
    if (dir.RowCount() < entries + 2) dir.SetRowCount(entries + 2);
    ClearGrid(dir);
    std::size_t next = 0;
    for (int row = 1; row < dir.RowCount() - 1 && next < history.size(); ++row) {
        dir.SetTag(0, row, HistoryRowInUse);
        for (int c = 0; c < 6 && next < history.size(); ++c) dir.SetCell(c, row, history[next++]);
    }
}

void DirToList(const StringTable& dir, HistoryList& history) {
    history.clear();
    for (int row = 1; row < dir.RowCount(); ++row) {
        if (dir.Tag(0, row) <= 0) continue;
        for (int c = 0; c < 6; ++c) history.push_back(HistoryValue(dir.Cell(c, row)));
    }
}

int FindFreeHistoryRow(StringTable& dir) {
    int found = 0;
    for (int row = 1; row < dir.RowCount() && found == 0; ++row) {
        bool empty = true;
        for (int c = 0; c < 6 && empty; ++c) empty = dir.Cell(c, row).empty();
        if (empty) found = row;
    }
    if (found == 0) found = dir.RowCount();
    if (found >= dir.RowCount() - 1) {
        int old = dir.RowCount();
        dir.SetRowCount(found + 2);
        for (int r = old; r < dir.RowCount(); ++r) dir.SetTag(0, r, HistoryRowUnused);
    }
    return found;
}

}  // namespace brenvik
