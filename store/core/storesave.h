#pragma once
// A save of many files of one folder that happens whole or not at all.
//
// Every new file is first written under a temporary name (safefile.h) and the
// lot is synced. Then a small journal, "brenvik.journal", records which
// temporary file becomes which store file and which files go; only then are
// the files renamed and removed, and last the journal is removed. A save that
// is cut short before the journal exists leaves the old files as they were;
// one cut short after it is completed at the next start by
// FinishInterruptedSave. The store files themselves keep their formats.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

class SafeFileWriter;

class SaveBatch {
public:
    // `folder` ends in '/'.
    explicit SaveBatch(std::string folder);
    ~SaveBatch();  // removes what was staged unless committed
    SaveBatch(const SaveBatch&) = delete;
    SaveBatch& operator=(const SaveBatch&) = delete;

    // The new content of the store file `name` (a bare name in the folder).
    // Raises StoreError(failMessage) when it cannot be written.
    void Stage(const std::string& name, std::string_view bytes, const std::string& failMessage);
    // The same, with the bytes written by `write` as they come.
    void StageWith(const std::string& name, const std::string& failMessage,
                   const std::function<void(SafeFileWriter&)>& write);
    // A file of the folder to remove when the save takes effect.
    void Remove(const std::string& name);
    // Syncs the staged files, writes the journal, renames and removes, and
    // removes the journal. Raises StoreError(failMessage) when the journal
    // cannot be written (nothing has changed then); a rename that fails after
    // that is completed at the next start. A store file that a folder stands
    // in place of fails the save before anything changes, with that file's
    // message. Does nothing for an empty batch.
    void Commit(const std::string& failMessage);

    bool Empty() const { return staged_.empty() && removed_.empty(); }

private:
    struct Staged {
        std::string temp;  // bare names
        std::string name;
        std::size_t size;
        std::string failMessage;
    };
    void Discard();

    std::string folder_;
    std::vector<Staged> staged_;
    std::vector<std::string> removed_;
    int step_ = 0;  // for g_saveStepHook
};

// The journal's bare name.
inline constexpr const char* kSaveJournal = "brenvik.journal";

// At start, before anything is read: completes a save that the journal shows
// was cut short, or discards it (the old files stay) when its new files are
// not all there in full; then removes this program's own temporary files
// left in the folder. Returns what the user should be told, or "".
std::string FinishInterruptedSave(const std::string& folder);

// Whether the journal of a cut-short save is in the folder.
bool HasInterruptedSave(const std::string& folder);

// Removes the temporary files of this program left in `folder` (names of
// IsTempFileName only); returns how many.
int RemoveTempLeftovers(const std::string& folder);

// Moves `path` aside to path + ".unreadable" (or ".unreadable2", ... when
// that name is taken), a name no clean-up removes. Returns the new path, or
// "" when it could not be moved.
std::string KeepAside(const std::string& path);

// The names in a folder, without "." and "..".
std::vector<std::string> ListFolder(const std::string& folder);

// A cheap test: a regular file that this user can open for reading.
bool CanReadFile(const std::string& path);

// Test hook: called before each step of a save that writes to the folder
// (each staged file, the sync, the journal, each rename and removal), with
// the step's number counted from 1 for each batch; a test kills the process
// at a chosen step.
extern void (*g_saveStepHook)(int step);

}  // namespace brenvik
