#include "store/inventory/history.h"

#include "store/core/error.h"
#include "store/core/safefile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace brenvik {

namespace {

constexpr std::string_view kStageSuffix = ".saving";

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Names in the folder, skipping "." and "..".
std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        names.emplace_back(e->d_name);
    }
    ::closedir(dir);
    return names;
}

// Leftovers of a save that was interrupted.
void RemoveStagedFiles(const std::string& folder) {
    for (const std::string& name : ListFolder(folder)) {
        std::string_view n = name;
        if (n.size() > kStageSuffix.size() &&
            n.substr(n.size() - kStageSuffix.size()) == kStageSuffix &&
            EndsWithIhf(n.substr(0, n.size() - kStageSuffix.size())))
            ::unlink((folder + name).c_str());
    }
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

std::string HistoryFileBytes(const HistoryList& history) {
    std::size_t size = 0;
    for (const std::string& t : history) size += t.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& t : history) {
        out += t;
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
                                         HistoryDiskState* disk) {
    std::vector<std::string> errors;
    histories.assign(static_cast<std::size_t>(itemCount < 0 ? 1 : itemCount + 1), HistoryList());
    if (disk) disk->fingerprints.assign(histories.size(), 0);
    std::string bytes;
    for (int row = 1; row <= itemCount; ++row) {
        std::string path = folder + HistoryFileName(row);
        if (ReadWholeFile(path, bytes)) {
            histories[static_cast<std::size_t>(row)] = ParseHistoryBytes(bytes);
            if (disk)
                disk->fingerprints[static_cast<std::size_t>(row)] =
                    HistoryDiskState::Fingerprint(bytes);
        } else if (struct stat st{}; ::stat(path.c_str(), &st) == 0) {
            errors.push_back("Cannot open file " + path);
        }
    }
    return errors;
}

void SaveItemHistory(const std::string& folder, const std::vector<HistoryList>& histories,
                     HistoryDiskState* disk) {
    RemoveStagedFiles(folder);
    const int count = histories.empty() ? 0 : static_cast<int>(histories.size()) - 1;
    const std::vector<std::string> before = ListFolder(folder);
    std::vector<char> present(static_cast<std::size_t>(count) + 1, 0);
    for (const std::string& name : before)
        if (int row = HistoryFileRow(name); row >= 1 && row <= count)
            present[static_cast<std::size_t>(row)] = 1;
    std::vector<std::string> staged;
    std::vector<int> stagedRows;
    std::vector<std::uint64_t> written(static_cast<std::size_t>(count) + 1, 0);
    auto fail = [&](const std::string& path) {
        for (const std::string& s : staged) ::unlink(s.c_str());
        throw StoreError("Cannot create " + path);
    };

    // 1. The new set, under temporary names that no reader looks at; files
    // that already hold the right bytes stay as they are.
    for (int row = 1; row <= count; ++row) {
        std::string path = folder + HistoryFileName(row);
        const std::string bytes = HistoryFileBytes(histories[static_cast<std::size_t>(row)]);
        const std::uint64_t print = HistoryDiskState::Fingerprint(bytes);
        written[static_cast<std::size_t>(row)] = print;
        if (disk && static_cast<std::size_t>(row) < disk->fingerprints.size() &&
            disk->fingerprints[static_cast<std::size_t>(row)] == print &&
            present[static_cast<std::size_t>(row)])
            continue;
        std::string stage = path + std::string(kStageSuffix);
        int fd = ::open(stage.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) fail(path);
        staged.push_back(stage);
        stagedRows.push_back(row);
        bool ok = WriteAll(fd, bytes);
        if (::close(fd) != 0) ok = false;
        if (!ok) fail(path);
    }
    // 2. On disk before anything old goes; one sync of the file system is far
    // cheaper than one per file for a large store.
    int dirfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd < 0) fail(folder + HistoryFileName(1));
    if (!staged.empty() && ::syncfs(dirfd) != 0) {
        ::close(dirfd);
        fail(folder + HistoryFileName(1));
    }
    // 3. Replace the old files one by one; each rename is atomic.
    for (std::size_t i = 0; i < staged.size(); ++i) {
        std::string path = folder + HistoryFileName(stagedRows[i]);
        if (::rename(staged[i].c_str(), path.c_str()) != 0) {
            ::close(dirfd);
            staged.erase(staged.begin(), staged.begin() + static_cast<std::ptrdiff_t>(i));
            if (disk) disk->fingerprints.clear();  // part old, part new: trust nothing
            fail(path);
        }
    }
    // 4. Every other history file is stale now.
    for (const std::string& name : before) {
        if (!EndsWithIhf(name)) continue;
        int row = HistoryFileRow(name);
        if (row >= 1 && row <= count) continue;
        ::unlink((folder + name).c_str());
    }
    ::fsync(dirfd);
    ::close(dirfd);
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
        for (int c = 0; c < 6; ++c) history.emplace_back(dir.Cell(c, row));
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
