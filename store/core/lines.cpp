#include "store/core/lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace brenvik {

std::string_view TextPart(std::string_view bytes) {
    if (bytes.empty()) return bytes;
    const void* eof = std::memchr(bytes.data(), 26, bytes.size());
    if (!eof) return bytes;
    return bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(eof) - bytes.data()));
}

char LineEndByte(std::string_view bytes) {
    if (bytes.empty()) return '\n';
    return std::memchr(bytes.data(), '\r', bytes.size()) ? '\r' : '\n';
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return bytes;
}

std::size_t CountLines(std::string_view bytes) {
    std::size_t count = 0;
    ForEachLine(bytes, [&](std::string_view) { ++count; });
    return count;
}

namespace detail {

int OpenForReading(const std::string& path, std::size_t& sizeHint) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    sizeHint = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    return fd;
}

long ReadSome(int fd, char* to, std::size_t n) {
    for (;;) {
        const ssize_t got = ::read(fd, to, n);
        if (got >= 0 || errno != EINTR) return static_cast<long>(got);
    }
}

void CloseFile(int fd) { ::close(fd); }

}  // namespace detail

std::vector<std::string> MemoLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace brenvik
