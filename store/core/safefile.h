#pragma once
// Every store file is written whole and safely: the bytes go to a temporary
// file in the target's folder, which is flushed and then renamed over the
// target. If anything fails, the old file is untouched, the temporary file is
// removed and a StoreError carrying the caller's message is raised.
//
// Temporary files are named NAME.brenvik-XXXXXX.tmp (six random letters or
// digits), a name no store file has, so the leftovers of a killed save can be
// told from everything else in a folder and removed.
#include <cstdio>
#include <string>
#include <string_view>

namespace brenvik {

class SafeFileWriter {
public:
    // Creates the temporary file; raises StoreError(failMessage) if it cannot.
    SafeFileWriter(std::string path, std::string failMessage);
    ~SafeFileWriter();  // removes the temporary file unless committed
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void Write(std::string_view bytes);
    void Put(char c) { Write(std::string_view(&c, 1)); }
    // Flushes, syncs and renames over the target. Raises StoreError on failure.
    void Commit();
    // Flushes and closes the temporary file without syncing or renaming it,
    // and hands it over: the caller renames or removes it. Raises StoreError.
    std::string Detach();
    const std::string& TempPath() const { return tempPath_; }
    // Bytes written so far.
    std::size_t Size() const { return size_; }

private:
    void Fail();

    std::string path_;
    std::string tempPath_;
    std::string failMessage_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    std::size_t size_ = 0;
};

// Whether a bare file name is one of this program's temporary names.
bool IsTempFileName(std::string_view name);

// Writes `bytes` as the whole content of `path`, safely.
void WriteFileSafely(const std::string& path, std::string_view bytes,
                     const std::string& failMessage);

// Reads a whole file. Returns false if it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);

bool FileExists(const std::string& path);

}  // namespace brenvik
