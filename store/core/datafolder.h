#pragma once
// Where the store keeps its files. Everything that reads or writes a store
// file takes the folder as a parameter; the default is worked out here only.
#include <string>
#include <vector>

namespace brenvik {

// The folder of the store's files, ending in '/': the folder named by the
// environment variable BRENVIK_DATA above all; else the folder of the running
// executable when the user may write there (a store kept in a folder of its
// own); else the per-user data folder, since an installed program's folder
// is read-only.
std::string DefaultDataFolder();
// True when DefaultDataFolder() is the per-user data folder.
bool DataFolderIsPerUser();
// The folder of the running executable, ending in '/'.
std::string ProgramFolder();
// $XDG_DATA_HOME/Merivale/Merivale/, or ~/.local/share/Merivale/Merivale/:
// the place Qt's application data location names for the store program.
std::string PerUserDataFolder();

// The rule of DefaultDataFolder on given facts, for tests.
std::string ChooseDataFolder(const std::string& environment, const std::string& programFolder,
                             bool programFolderWritable, const std::string& perUserFolder);

// `folder` with a trailing '/' added when missing.
std::string NormalizeFolder(std::string folder);
// Folder + bare file name.
inline std::string DataPath(const std::string& folder, const std::string& name) {
    return folder + name;
}

// Creates `folder` and its parents; raises StoreError saying why it cannot.
void MakeFolder(const std::string& folder);
// True when `folder` holds any of the store's three table files.
bool HoldsStore(const std::string& folder);
// The store's files in `folder` (tables, settings, item histories, label
// settings and label data files), as bare names in name order.
std::vector<std::string> StoreFiles(const std::string& folder);
// Copies StoreFiles(from) into `to` (created when missing), each written
// safely. Returns the names copied; raises StoreError naming the file that
// failed.
std::vector<std::string> CopyStoreFiles(const std::string& from, const std::string& to);

}  // namespace brenvik
