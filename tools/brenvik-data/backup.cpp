// backup and restore: the store's backups from the command line.
#include "commands.h"

#include "store/core/backup.h"
#include "store/core/safefile.h"

#include <cstdio>

namespace brenvik::tool {

namespace {

int BackupCommand(const Args& args) {
    Expect(args, 1, "backup DIR");
    const std::string folder = Folder(args[0]);
    try {
        std::string path = WriteBackup(folder, BackupName(BackupKind::Manual, BackupTimeNow()));
        std::printf("backup written to %s\n", path.c_str());
    } catch (const BackupRefused& e) {
        throw Refused(e.what());
    }
    return 0;
}

int ListCommand(const Args& args) {
    Expect(args, 1, "backups DIR");
    const std::string folder = Folder(args[0]);
    auto count = [](int n) { return n < 0 ? std::string("?") : std::to_string(n); };
    std::printf("date\titems\tcustomers\tinvoices\tarchive\n");
    for (const BackupInfo& b : ListBackups(folder)) {
        std::string line = b.when + "\t" + count(b.items) + "\t" + count(b.customers) + "\t" +
                           count(b.invoices) + "\t" + b.path;
        if (!b.problem.empty()) line += "\tdamaged: " + b.problem;
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

int RestoreCommand(const Args& args) {
    Expect(args, 2, "restore DIR ARCHIVE");
    const std::string folder = Folder(args[0]);
    // A bare name is looked for among the folder's backups.
    std::string archive = args[1];
    if (!FileExists(archive) && archive.find('/') == std::string::npos &&
        FileExists(BackupFolder(folder) + archive))
        archive = BackupFolder(folder) + archive;
    if (!FileExists(archive)) throw ToolError("cannot read " + args[1] + ": no such file");
    try {
        std::string before = RestoreBackup(folder, archive, BackupTimeNow());
        std::printf("restored %s into %s\n", archive.c_str(), folder.c_str());
        if (!before.empty()) std::printf("the files as they were are kept in %s\n", before.c_str());
    } catch (const BackupRefused& e) {
        throw Refused(e.what());
    }
    return 0;
}

const bool registered = [] {
    RegisterCommand({"backup", BackupCommand,
                     "  backup DIR                   write a backup of the store in DIR into "
                     "DIR/backups\n"
                     "                               (the newest 30 backups are kept)\n",
                     70});
    RegisterCommand({"restore", RestoreCommand,
                     "  restore DIR ARCHIVE          put the store files of a backup back into "
                     "DIR, after\n"
                     "                               a backup of DIR as it is; a damaged "
                     "archive is refused\n"
                     "                               (exit status 1) and nothing is changed;\n"
                     "                               ARCHIVE may be a name in DIR/backups\n",
                     80});
    RegisterCommand({"backups", ListCommand,
                     "  backups DIR                  list the backups of DIR, newest first, "
                     "with their\n"
                     "                               item, customer and invoice counts\n",
                     75});
    return true;
}();

}  // namespace

}  // namespace brenvik::tool
