#include "store/core/storesave.h"

#include "store/core/error.h"
#include "store/core/safefile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <utility>

namespace brenvik {

void (*g_saveStepHook)(int step) = nullptr;

namespace {

void Step(int& step) {
    ++step;
    if (g_saveStepHook) g_saveStepHook(step);
}

constexpr std::string_view kJournalHeading = "brenvik save journal 1";
constexpr std::string_view kJournalEnd = "end";

// The size of a regular file, or -1.
long long FileSize(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long long>(st.st_size);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Names in a journal line are bare names; these bytes would break its lines.
bool JournalSafe(std::string_view name) {
    return !name.empty() && name.find_first_of("\t\r\n/") == std::string_view::npos;
}

}  // namespace

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

SaveBatch::SaveBatch(std::string folder) : folder_(std::move(folder)) {}

SaveBatch::~SaveBatch() { Discard(); }

void SaveBatch::Discard() {
    for (const Staged& s : staged_) ::unlink((folder_ + s.temp).c_str());
    staged_.clear();
    removed_.clear();
}

void SaveBatch::Stage(const std::string& name, std::string_view bytes,
                      const std::string& failMessage) {
    StageWith(name, failMessage, [&](SafeFileWriter& file) { file.Write(bytes); });
}

void SaveBatch::StageWith(const std::string& name, const std::string& failMessage,
                          const std::function<void(SafeFileWriter&)>& write) {
    Step(step_);
    SafeFileWriter file(folder_ + name, failMessage);
    write(file);
    const std::size_t size = file.Size();
    const std::string temp = file.Detach();
    staged_.push_back({temp.substr(folder_.size()), name, size, failMessage});
}

void SaveBatch::Remove(const std::string& name) {
    if (JournalSafe(name)) removed_.push_back(name);
}

void SaveBatch::Commit(const std::string& failMessage) {
    if (Empty()) return;
    for (const Staged& s : staged_) {
        struct stat st {};
        if (::lstat((folder_ + s.name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            throw StoreError(s.failMessage);
    }
    // 1. Every new file on disk before the journal can name it; one sync of
    // the file system is far cheaper than one per file for a large store.
    Step(step_);
    const int dirfd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd < 0) throw StoreError(failMessage);
    const bool synced = ::syncfs(dirfd) == 0;
    ::close(dirfd);
    if (!synced) throw StoreError(failMessage);

    // 2. The journal: from the moment it exists, the save counts as made.
    std::string journal(kJournalHeading);
    journal += '\n';
    for (const Staged& s : staged_) {
        journal += "R " + std::to_string(s.size) + ' ' + s.temp + '\t' + s.name + '\n';
    }
    for (const std::string& name : removed_) journal += "D " + name + '\n';
    journal += kJournalEnd;
    journal += '\n';
    Step(step_);
    {
        SafeFileWriter file(folder_ + kSaveJournal, failMessage);
        file.Write(journal);
        file.Commit();
    }
    SyncFolder(folder_);

    // 3. Renames and removals; what a crash leaves undone, the next start
    // does. The new files belong to the journal now, not to this batch.
    const std::vector<Staged> staged = std::move(staged_);
    const std::vector<std::string> removed = std::move(removed_);
    staged_.clear();
    removed_.clear();
    for (const Staged& s : staged) {
        Step(step_);
        ::rename((folder_ + s.temp).c_str(), (folder_ + s.name).c_str());
    }
    for (const std::string& name : removed) {
        Step(step_);
        ::unlink((folder_ + name).c_str());
    }
    SyncFolder(folder_);
    Step(step_);
    ::unlink((folder_ + kSaveJournal).c_str());
}

bool HasInterruptedSave(const std::string& folder) { return Exists(folder + kSaveJournal); }

std::string FinishInterruptedSave(const std::string& folder) {
    std::string message;
    const std::string journalPath = folder + kSaveJournal;
    std::string journal;
    if (Exists(journalPath)) {
        struct Rename {
            std::string temp, name;
            long long size;
        };
        std::vector<Rename> renames;
        std::vector<std::string> removals;
        bool complete = false, readable = ReadWholeFile(journalPath, journal);
        std::size_t lineNo = 0;
        if (readable) {
            std::size_t start = 0;
            while (readable && start < journal.size() && !complete) {
                std::size_t end = journal.find('\n', start);
                if (end == std::string::npos) break;
                const std::string_view line(journal.data() + start, end - start);
                start = end + 1;
                if (lineNo++ == 0) {
                    readable = line == kJournalHeading;
                } else if (line == kJournalEnd) {
                    complete = true;
                } else if (line.substr(0, 2) == "R ") {
                    const std::size_t space = line.find(' ', 2), tab = line.find('\t');
                    long long size = -1;
                    if (space == std::string_view::npos || tab == std::string_view::npos ||
                        tab < space ||
                        std::from_chars(line.data() + 2, line.data() + space, size).ec !=
                            std::errc()) {
                        readable = false;
                    } else {
                        renames.push_back({std::string(line.substr(space + 1, tab - space - 1)),
                                           std::string(line.substr(tab + 1)), size});
                    }
                } else if (line.substr(0, 2) == "D ") {
                    removals.emplace_back(line.substr(2));
                } else {
                    readable = false;
                }
            }
        }
        bool sound = readable && complete;
        // Each new file is either still under its temporary name in full, or
        // already renamed (then its store file has the size written).
        for (std::size_t i = 0; sound && i < renames.size(); ++i) {
            const Rename& r = renames[i];
            sound = JournalSafe(r.temp) && JournalSafe(r.name) &&
                    (FileSize(folder + r.temp) == r.size ||
                     (!Exists(folder + r.temp) && FileSize(folder + r.name) == r.size));
        }
        if (sound) {
            for (const Rename& r : renames)
                if (Exists(folder + r.temp))
                    ::rename((folder + r.temp).c_str(), (folder + r.name).c_str());
            for (const std::string& name : removals)
                if (JournalSafe(name)) ::unlink((folder + name).c_str());
            SyncFolder(folder);
            message =
                "The last save of the store was interrupted before it was finished. It has "
                "now been completed, and the store is as it was saved.";
        } else {
            message =
                "The last save of the store was interrupted, and the files it was writing "
                "are not complete. That save has been discarded; the store is as it was "
                "before it.";
        }
        ::unlink(journalPath.c_str());
        SyncFolder(folder);
    }
    RemoveTempLeftovers(folder);
    return message;
}

int RemoveTempLeftovers(const std::string& folder) {
    int removed = 0;
    for (const std::string& name : ListFolder(folder)) {
        if (!IsTempFileName(name)) continue;
        // Only plain files: a folder that happens to match is not ours.
        if (FileSize(folder + name) < 0) continue;
        if (::unlink((folder + name).c_str()) == 0) ++removed;
    }
    return removed;
}

std::string KeepAside(const std::string& path) {
    std::string aside = path + ".unreadable";
    for (int n = 2; Exists(aside) && n < 1000; ++n)
        aside = path + ".unreadable" + std::to_string(n);
    if (Exists(aside)) return {};
    return ::rename(path.c_str(), aside.c_str()) == 0 ? aside : std::string();
}

bool CanReadFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

}  // namespace brenvik
