#include "store/core/lines.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenvik {

std::string_view TextPart(std::string_view bytes) {
    const void* eof = std::memchr(bytes.data(), 26, bytes.size());
    if (!eof) return bytes;
    return bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(eof) - bytes.data()));
}

std::size_t CountLines(std::string_view bytes) {
    std::size_t count = 0;
    ForEachLine(bytes, [&](std::string_view) { ++count; });
    return count;
}

bool AppendWholeFile(const std::string& path, std::string& out, double spareFactor) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    const std::size_t base = out.size();
    // The size is a hint only: a file may change while it is read, and pipes
    // and special files report 0.
    std::size_t expected = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    try {
        out.reserve(base + expected +
                    static_cast<std::size_t>(static_cast<double>(expected) * spareFactor));
        out.resize(base + expected);
        std::size_t filled = base;
        char probe[1 << 16];
        for (;;) {
            // Read straight into the string while it has room; past the
            // expected end, read a small block first so that the usual
            // case never touches memory it does not need.
            bool direct = filled < out.size();
            char* dest = direct ? out.data() + filled : probe;
            std::size_t room = direct ? out.size() - filled : sizeof probe;
            ssize_t n = ::read(fd, dest, room);
            if (n < 0) {
                if (errno == EINTR) continue;
                ::close(fd);
                out.resize(base);
                return false;
            }
            if (n == 0) break;
            if (direct) {
                filled += static_cast<std::size_t>(n);
            } else {
                out.append(probe, static_cast<std::size_t>(n));
                filled = out.size();
            }
        }
        out.resize(filled);
    } catch (...) {
        ::close(fd);
        out.resize(base);
        throw;
    }
    ::close(fd);
    return true;
}

}  // namespace brenvik
