#pragma once
// Backups of the store: each one a plain tar archive (ustar) in the folder
// "backups" inside the data folder, holding the store's files as they are on
// disk plus a list of their sizes and CRC-32 sums, so that a damaged archive
// is found before anything is restored from it. Archives are named by date:
//   store-YYYY-MM-DD.tar                        the day's backup, made at start
//   store-YYYY-MM-DD-HHMMSS.tar                 one made on request
//   store-YYYY-MM-DD-before-restore-HHMMSS.tar  the state a restore replaced
// The newest kBackupsKept archives are kept; older ones are removed.
#include "store/core/error.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

inline constexpr int kBackupsKept = 30;
inline constexpr const char* kBackupFolderName = "backups";

// A backup that cannot be restored (damaged, truncated, not a backup).
// Nothing has been changed when it is raised.
class BackupRefused : public StoreError {
public:
    using StoreError::StoreError;
};

// The local date and time a backup is made at.
struct BackupTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};
BackupTime BackupTimeNow();

// The backups folder of a data folder, ending in '/'.
std::string BackupFolder(const std::string& dataFolder);

enum class BackupKind { Daily, Manual, BeforeRestore };
// The archive's bare file name.
std::string BackupName(BackupKind kind, const BackupTime& when);

// One file of an archive.
struct ArchiveMember {
    std::string name;
    std::string bytes;
};

// The archive bytes for these files: ustar headers and data, the sums
// member, two zero blocks.
std::string TarBytes(const std::vector<ArchiveMember>& members, std::int64_t mtime);
// The store files of a verified archive, in archive order; BackupRefused
// saying what is wrong unless every header, size, sum and the end are sound.
std::vector<ArchiveMember> ReadBackupBytes(std::string_view archive);

// Writes the store files of `dataFolder` into backups/`name` (safely) and
// then removes the archives beyond the newest kBackupsKept. Returns the
// archive's path. Raises StoreError saying which file failed.
std::string WriteBackup(const std::string& dataFolder, const std::string& name);

// The day's backup when the folder holds a store and the archive does not
// exist yet. Returns its path, or "" when nothing was to be done.
std::string EnsureDailyBackup(const std::string& dataFolder, const BackupTime& when);

// A backup in the list: the archive's name and path, the date and time of
// its name ("YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"), and the records of the
// three tables it holds; counts are -1 when the archive cannot be read.
struct BackupInfo {
    std::string name;
    std::string path;
    std::string when;
    bool beforeRestore = false;
    int items = -1, customers = -1, invoices = -1;
    std::string problem;  // why the archive cannot be read, or ""
};
// The archives of backups/, newest first.
std::vector<BackupInfo> ListBackups(const std::string& dataFolder);
// Counts of the tables in an archive's files: rows after the heading with
// any text in them (a missing table counts 0).
void CountRecords(const std::vector<ArchiveMember>& members, BackupInfo& info);

// Removes the oldest archives until `keep` are left. Other files stay.
void RotateBackups(const std::string& dataFolder, int keep = kBackupsKept);

// Restores the archive into `dataFolder`: verifies all of it first
// (BackupRefused, nothing changed), keeps the current store files in a
// before-restore backup, writes the archive's files safely and removes the
// store files the archive does not hold. Returns the path of the
// before-restore backup ("" when the folder held no store files).
std::string RestoreBackup(const std::string& dataFolder, const std::string& archivePath,
                          const BackupTime& when);

}  // namespace brenvik
