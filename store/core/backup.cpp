#include "store/core/backup.h"

#include "store/core/datafolder.h"
#include "store/core/safefile.h"
#include "store/core/stringtable.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <system_error>

namespace brenvik {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBlock = 512;
// The member that lists every other member's size and sum.
constexpr const char* kSumsName = "backup.sums";

std::uint32_t Crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string SumsText(const std::vector<ArchiveMember>& members) {
    std::string text;
    for (const ArchiveMember& m : members) {
        char line[40];
        std::snprintf(line, sizeof line, "%08x %zu ", static_cast<unsigned>(Crc32(m.bytes)),
                      m.bytes.size());
        text += line + m.name + "\n";
    }
    return text;
}

// An octal number field: zero-padded digits ended by NUL or a space.
void PutOctal(char* field, std::size_t width, std::uint64_t value) {
    field[width - 1] = '\0';
    for (std::size_t i = width - 1; i-- > 0; value /= 8)
        field[i] = static_cast<char>('0' + value % 8);
    if (value != 0) throw StoreError("A file is too large for a backup");
}

std::optional<std::uint64_t> ReadOctal(const char* field, std::size_t width) {
    std::size_t i = 0;
    while (i < width && field[i] == ' ') ++i;
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (; i < width && field[i] >= '0' && field[i] <= '7'; ++i, ++digits) {
        if (value >> 60) return std::nullopt;
        value = value * 8 + static_cast<std::uint64_t>(field[i] - '0');
    }
    if (digits == 0 || (i < width && field[i] != '\0' && field[i] != ' ')) return std::nullopt;
    return value;
}

unsigned HeaderSum(const char* header) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kBlock; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(header[i]);
    return sum;
}

// A member name must stay inside the data folder.
bool BareName(const std::string& name) {
    return !name.empty() && name.size() < 100 && name != "." && name != ".." &&
           name.find('/') == std::string::npos;
}

void AppendMember(std::string& out, const std::string& name, std::string_view bytes,
                  std::int64_t mtime) {
    if (!BareName(name)) throw StoreError("The file name " + name + " cannot go into a backup");
    char header[kBlock] = {};
    std::memcpy(header, name.data(), name.size());
    PutOctal(header + 100, 8, 0644);
    PutOctal(header + 108, 8, 0);
    PutOctal(header + 116, 8, 0);
    PutOctal(header + 124, 12, bytes.size());
    PutOctal(header + 136, 12, static_cast<std::uint64_t>(std::max<std::int64_t>(mtime, 0)));
    header[156] = '0';
    std::memcpy(header + 257, "ustar", 6);
    std::memcpy(header + 263, "00", 2);
    PutOctal(header + 148, 7, HeaderSum(header));
    header[155] = ' ';
    out.append(header, kBlock);
    out.append(bytes);
    out.append((kBlock - bytes.size() % kBlock) % kBlock, '\0');
}

bool AllZero(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == '\0'; });
}

struct ParsedName {
    std::string key;   // orders archives oldest first
    std::string when;  // date, and time when the name has one
    bool beforeRestore = false;
};

bool Digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// store-YYYY-MM-DD[-HHMMSS | -before-restore-HHMMSS].tar
std::optional<ParsedName> ParseBackupName(std::string_view name) {
    constexpr std::string_view head = "store-", tail = ".tar", restore = "-before-restore-";
    if (name.size() < head.size() + 10 + tail.size() || name.substr(0, head.size()) != head ||
        name.substr(name.size() - tail.size()) != tail)
        return std::nullopt;
    std::string_view date = name.substr(head.size(), 10);
    std::string_view rest = name.substr(head.size() + 10);
    rest.remove_suffix(tail.size());
    if (!Digits(date.substr(0, 4)) || date[4] != '-' || !Digits(date.substr(5, 2)) ||
        date[7] != '-' || !Digits(date.substr(8, 2)))
        return std::nullopt;
    ParsedName parsed;
    std::string_view time;
    if (rest.substr(0, restore.size()) == restore) {
        parsed.beforeRestore = true;
        time = rest.substr(restore.size());
    } else if (!rest.empty()) {
        if (rest[0] != '-') return std::nullopt;
        time = rest.substr(1);
    }
    if (!rest.empty() && (time.size() != 6 || !Digits(time))) return std::nullopt;
    parsed.key =
        std::string(date) + (time.empty() ? "000000" : std::string(time)) + std::string(name);
    parsed.when = std::string(date);
    if (!time.empty()) {
        parsed.when += ' ';
        parsed.when += std::string(time.substr(0, 2)) + ":" + std::string(time.substr(2, 2)) + ":" +
                       std::string(time.substr(4, 2));
    }
    return parsed;
}

// The backup archives of the folder, oldest first: (key, name).
std::vector<std::pair<std::string, std::string>> Archives(const std::string& folder) {
    std::vector<std::pair<std::string, std::string>> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        std::string name = entry.path().filename().string();
        if (auto parsed = ParseBackupName(name)) found.emplace_back(parsed->key, name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<ArchiveMember> ReadArchiveFile(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) throw BackupRefused("Cannot open file " + path);
    return ReadBackupBytes(bytes);
}

}  // namespace

BackupTime BackupTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string BackupFolder(const std::string& dataFolder) {
    return NormalizeFolder(dataFolder) + kBackupFolderName + "/";
}

std::string BackupName(BackupKind kind, const BackupTime& when) {
    char text[64];
    if (kind == BackupKind::Daily)
        std::snprintf(text, sizeof text, "store-%04d-%02d-%02d.tar", when.year, when.month,
                      when.day);
    else
        std::snprintf(text, sizeof text, "store-%04d-%02d-%02d-%s%02d%02d%02d.tar", when.year,
                      when.month, when.day,
                      kind == BackupKind::BeforeRestore ? "before-restore-" : "", when.hour,
                      when.minute, when.second);
    return text;
}

std::string TarBytes(const std::vector<ArchiveMember>& members, std::int64_t mtime) {
    std::string out;
    for (const ArchiveMember& m : members) AppendMember(out, m.name, m.bytes, mtime);
    AppendMember(out, kSumsName, SumsText(members), mtime);
    out.append(2 * kBlock, '\0');
    return out;
}

std::vector<ArchiveMember> ReadBackupBytes(std::string_view archive) {
    std::vector<ArchiveMember> members;
    std::optional<std::string> sums;
    std::set<std::string> names;
    std::size_t at = 0;
    for (;;) {
        if (archive.size() - at < kBlock) throw BackupRefused("the archive is cut short");
        const char* header = archive.data() + at;
        if (AllZero(archive.substr(at, kBlock))) {
            if (archive.size() - at < 2 * kBlock || !AllZero(archive.substr(at + kBlock, kBlock)))
                throw BackupRefused("the archive is cut short");
            if (!AllZero(archive.substr(at + 2 * kBlock)))
                throw BackupRefused("there are unknown bytes after the end of the archive");
            break;
        }
        auto sum = ReadOctal(header + 148, 8);
        if (!sum || *sum != HeaderSum(header) || std::memcmp(header + 257, "ustar", 5) != 0)
            throw BackupRefused("a file header is damaged");
        const std::string name(header, strnlen(header, 100));
        auto size = ReadOctal(header + 124, 12);
        if (!size || (header[156] != '0' && header[156] != '\0') || header[345] != '\0' ||
            !BareName(name))
            throw BackupRefused("the entry \"" + name + "\" is not a store file");
        if (*size > archive.size() - at - kBlock)
            throw BackupRefused("the archive is cut short in \"" + name + "\"");
        std::string bytes(archive.substr(at + kBlock, *size));
        at += kBlock + (*size + kBlock - 1) / kBlock * kBlock;
        if (at > archive.size()) throw BackupRefused("the archive is cut short");
        if (!names.insert(name).second)
            throw BackupRefused("the file \"" + name + "\" is in the archive twice");
        if (name == kSumsName) sums = std::move(bytes);
        else members.push_back({name, std::move(bytes)});
    }
    if (!sums) throw BackupRefused("it is not a backup of the store (the list of sums is missing)");
    if (*sums != SumsText(members)) {
        for (const ArchiveMember& m : members)
            if (sums->find(SumsText({m})) == std::string::npos)
                throw BackupRefused("the file \"" + m.name + "\" in the archive is damaged");
        throw BackupRefused("the list of sums does not match the archive's files");
    }
    if (members.empty()) throw BackupRefused("the archive holds no store files");
    return members;
}

std::string WriteBackup(const std::string& dataFolder, const std::string& name) {
    const std::string folder = NormalizeFolder(dataFolder);
    std::vector<ArchiveMember> members;
    for (const std::string& file : StoreFiles(folder)) {
        ArchiveMember m{file, {}};
        if (!ReadWholeFile(folder + file, m.bytes))
            throw StoreError("Cannot open file " + folder + file);
        members.push_back(std::move(m));
    }
    if (members.empty())
        throw BackupRefused("There are no store files in " + folder + " to back up.");
    const std::string target = BackupFolder(folder);
    MakeFolder(target);
    const std::string path = target + name;
    WriteFileSafely(path, TarBytes(members, std::time(nullptr)), "Cannot create file " + path);
    RotateBackups(folder);
    return path;
}

std::string EnsureDailyBackup(const std::string& dataFolder, const BackupTime& when) {
    const std::string name = BackupName(BackupKind::Daily, when);
    if (StoreFiles(dataFolder).empty() || FileExists(BackupFolder(dataFolder) + name)) return "";
    return WriteBackup(dataFolder, name);
}

void CountRecords(const std::vector<ArchiveMember>& members, BackupInfo& info) {
    auto count = [&](const char* table) {
        auto it = std::find_if(members.begin(), members.end(),
                               [&](const ArchiveMember& m) { return m.name == table; });
        if (it == members.end()) return 0;
        StringTable t;
        try {
            t.LoadTableFileBytes(it->bytes);
        } catch (const std::exception&) {
            return -1;
        }
        int records = 0;
        for (int row = 1; row < t.RowCount(); ++row) {
            for (int col = 0; col < t.ColCount(); ++col) {
                if (!t.Cell(col, row).empty()) {
                    ++records;
                    break;
                }
            }
        }
        return records;
    };
    info.items = count("Inventory.dt2");
    info.customers = count("Customers.dt2");
    info.invoices = count("Invoices.dt2");
}

std::vector<BackupInfo> ListBackups(const std::string& dataFolder) {
    const std::string folder = BackupFolder(dataFolder);
    std::vector<BackupInfo> list;
    auto archives = Archives(folder);
    for (auto it = archives.rbegin(); it != archives.rend(); ++it) {
        BackupInfo info;
        info.name = it->second;
        info.path = folder + it->second;
        auto parsed = ParseBackupName(info.name);
        info.when = parsed->when;
        info.beforeRestore = parsed->beforeRestore;
        try {
            CountRecords(ReadArchiveFile(info.path), info);
        } catch (const StoreError& e) {
            info.problem = e.what();
        }
        list.push_back(std::move(info));
    }
    return list;
}

void RotateBackups(const std::string& dataFolder, int keep) {
    const std::string folder = BackupFolder(dataFolder);
    auto archives = Archives(folder);
    const std::size_t kept = static_cast<std::size_t>(std::max(keep, 0));
    for (std::size_t i = 0; i + kept < archives.size(); ++i) {
        std::error_code ec;
        fs::remove(folder + archives[i].second, ec);
    }
}

std::string RestoreBackup(const std::string& dataFolder, const std::string& archivePath,
                          const BackupTime& when) {
    const std::string folder = NormalizeFolder(dataFolder);
    std::vector<ArchiveMember> members;
    try {
        members = ReadArchiveFile(archivePath);
    } catch (const BackupRefused& e) {
        throw BackupRefused("The backup " + archivePath + " cannot be restored: " + e.what() +
                            ". Nothing was changed.");
    }
    std::string before;
    if (!StoreFiles(folder).empty())
        before = WriteBackup(folder, BackupName(BackupKind::BeforeRestore, when));
    try {
        std::set<std::string> restored;
        for (const ArchiveMember& m : members) {
            WriteFileSafely(folder + m.name, m.bytes, "Cannot create file " + folder + m.name);
            restored.insert(m.name);
        }
        // Item histories beyond the restored items would be taken for theirs.
        for (const std::string& name : StoreFiles(folder)) {
            if (restored.count(name)) continue;
            std::error_code ec;
            if (!fs::remove(folder + name, ec) && ec)
                throw StoreError("Cannot delete file " + folder + name + ": " + ec.message());
        }
    } catch (const StoreError& e) {
        throw StoreError(std::string(e.what()) + ". The restore is incomplete" +
                         (before.empty() ? std::string(".")
                                         : "; the files as they were are kept in " + before + "."));
    }
    return before;
}

}  // namespace brenvik
