#include "store/core/safefile.h"

#include "store/core/error.h"
#include "store/core/lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace brenvik {

namespace {
constexpr const char* kTempMark = ".brenvik-";
constexpr const char* kTempEnd = ".tmp";
}  // namespace

bool IsTempFileName(std::string_view name) {
    const std::string_view mark = kTempMark, end = kTempEnd;
    const std::size_t tail = mark.size() + 6 + end.size();
    if (name.size() <= tail || name.substr(name.size() - end.size()) != end) return false;
    const std::string_view random = name.substr(name.size() - end.size() - 6, 6);
    for (char c : random)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return name.substr(name.size() - tail, mark.size()) == mark;
}

SafeFileWriter::SafeFileWriter(std::string path, std::string failMessage)
    : path_(std::move(path)), failMessage_(std::move(failMessage)) {
    tempPath_ = path_ + kTempMark + "XXXXXX" + kTempEnd;
    int fd = ::mkostemps(tempPath_.data(), static_cast<int>(std::strlen(kTempEnd)), O_CLOEXEC);
    if (fd < 0) throw StoreError(failMessage_);
    // mkstemp creates 0600; store files are ordinary files of the user.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        ::unlink(tempPath_.c_str());
        throw StoreError(failMessage_);
    }
    static thread_local char buffer[1 << 16];
    std::setvbuf(file_, buffer, _IOFBF, sizeof buffer);
}

SafeFileWriter::~SafeFileWriter() {
    if (file_) {
        std::fclose(file_);
        ::unlink(tempPath_.c_str());
    }
}

void SafeFileWriter::Fail() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    ::unlink(tempPath_.c_str());
    throw StoreError(failMessage_);
}

void SafeFileWriter::Write(std::string_view bytes) {
    if (!file_) throw StoreError(failMessage_);
    if (bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail();
    size_ += bytes.size();
}

std::string SafeFileWriter::Detach() {
    if (!file_) throw StoreError(failMessage_);
    if (std::fflush(file_) != 0) Fail();
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0) {
        ::unlink(tempPath_.c_str());
        throw StoreError(failMessage_);
    }
    return tempPath_;
}

void SafeFileWriter::Commit() {
    if (!file_) throw StoreError(failMessage_);
    if (std::fflush(file_) != 0) Fail();
    if (::fsync(::fileno(file_)) != 0 && errno != EINVAL) Fail();
    if (std::fclose(file_) != 0) {
        file_ = nullptr;
        ::unlink(tempPath_.c_str());
        throw StoreError(failMessage_);
    }
    file_ = nullptr;
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        ::unlink(tempPath_.c_str());
        throw StoreError(failMessage_);
    }
}

void WriteFileSafely(const std::string& path, std::string_view bytes,
                     const std::string& failMessage) {
    SafeFileWriter w(path, failMessage);
    w.Write(bytes);
    w.Commit();
}

bool ReadWholeFile(const std::string& path, std::string& out) {
    std::string bytes;
    if (!AppendWholeFile(path, bytes)) return false;
    out.swap(bytes);
    return true;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace brenvik
