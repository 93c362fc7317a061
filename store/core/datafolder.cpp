#include "store/core/datafolder.h"

#include <limits.h>
#include <unistd.h>
#include <cstdlib>

namespace brenvik {

std::string NormalizeFolder(std::string folder) {
    if (folder.empty()) return "./";
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::string DefaultDataFolder() {
    if (const char* env = std::getenv("BRENVIK_DATA"); env && *env) return NormalizeFolder(env);
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string exe(buf, static_cast<std::size_t>(n));
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

}  // namespace brenvik
