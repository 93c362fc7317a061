#pragma once
// Where the store keeps its files. Everything that reads or writes a store
// file takes the folder as a parameter; the default is worked out here only.
#include <string>

namespace brenvik {

// The folder of the running executable, ending in '/'. The environment
// variable BRENVIK_DATA, when set, names another folder.
std::string DefaultDataFolder();
// `folder` with a trailing '/' added when missing.
std::string NormalizeFolder(std::string folder);
// Folder + bare file name.
inline std::string DataPath(const std::string& folder, const std::string& name) {
    return folder + name;
}

}  // namespace brenvik
