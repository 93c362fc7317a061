#include "store/core/safefile.h"

#include "store/core/error.h"
#include "store/core/lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <utility>

namespace brenvik {

SafeFileWriter::SafeFileWriter(std::string path, std::string failMessage)
    : path_(std::move(path)), failMessage_(std::move(failMessage)) {
    tempPath_ = path_ + ".XXXXXX";
    int fd = ::mkstemp(tempPath_.data());
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
