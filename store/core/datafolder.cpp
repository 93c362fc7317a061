#include "store/core/datafolder.h"

#include "store/core/error.h"
#include "store/core/safefile.h"

#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace brenvik {

namespace fs = std::filesystem;

std::string NormalizeFolder(std::string folder) {
    if (folder.empty()) return "./";
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::string ProgramFolder() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string exe(buf, static_cast<std::size_t>(n));
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

std::string PerUserDataFolder() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.local/share";
    } else {
        base = ".";
    }
    return NormalizeFolder(base) + "Merivale/Merivale/";
}

std::string ChooseDataFolder(const std::string& environment, const std::string& programFolder,
                             bool programFolderWritable, const std::string& perUserFolder) {
    if (!environment.empty()) return NormalizeFolder(environment);
    if (programFolderWritable) return NormalizeFolder(programFolder);
    return NormalizeFolder(perUserFolder);
}

namespace {

std::string Environment() {
    const char* env = std::getenv("BRENVIK_DATA");
    return env ? env : "";
}

bool Writable(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }

bool IsStoreFileName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto ends = [&](const std::string& tail) {
        return name.size() >= tail.size() &&
               name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
    };
    return name == "inventory.dt2" || name == "customers.dt2" || name == "invoices.dt2" ||
           name == "settings.set" || name == "settings2.set" || name == "labset.set" ||
           (name.rfind("item", 0) == 0 && ends(".ihf")) || ends(".dld");
}

}  // namespace

std::string DefaultDataFolder() {
    const std::string program = ProgramFolder();
    return ChooseDataFolder(Environment(), program, Writable(program), PerUserDataFolder());
}

bool DataFolderIsPerUser() {
    const std::string program = ProgramFolder();
    return Environment().empty() && !Writable(program);
}

bool HoldsStore(const std::string& folder) {
    for (const char* name : {"Inventory.dt2", "Customers.dt2", "Invoices.dt2"})
        if (FileExists(NormalizeFolder(folder) + name)) return true;
    return false;
}

std::vector<std::string> StoreFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        std::string name = entry.path().filename().string();
        if (IsStoreFileName(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

void MakeFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw StoreError("Cannot create folder " + folder + ": " + ec.message());
}

std::vector<std::string> CopyStoreFiles(const std::string& from, const std::string& to) {
    const std::string source = NormalizeFolder(from);
    const std::string target = NormalizeFolder(to);
    MakeFolder(target);
    std::vector<std::string> names = StoreFiles(source);
    for (const std::string& name : names) {
        std::string bytes;
        if (!ReadWholeFile(source + name, bytes))
            throw StoreError("Cannot read file " + source + name);
        WriteFileSafely(target + name, bytes, "Cannot create file " + target + name);
    }
    return names;
}

}  // namespace brenvik
