// Backups of the store: archives written and read back byte for byte,
// damaged archives refused with nothing changed, the day's backup at start,
// the list with its counts, and the rotation that keeps the newest ones.
#include "support/testutil.h"

#include "store/core/backup.h"
#include "store/core/safefile.h"
#include "store/core/stringtable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

using namespace brenvik;
namespace fs = std::filesystem;

namespace {

// Every file below `folder` (backups included) with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (!e.is_regular_file()) continue;
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(e.path().string(), bytes));
        files[fs::relative(e.path(), folder).string()] = bytes;
    }
    return files;
}

std::map<std::string, std::string> StoreSnapshot(const std::string& folder) {
    auto all = Snapshot(folder);
    std::erase_if(all, [](const auto& f) { return f.first.rfind("backups/", 0) == 0; });
    return all;
}

// A small store: tables, settings, histories, label files, odd bytes, a
// file of exactly one block and an empty one, plus a file that is not the
// store's.
void WriteStore(const test::TempFolder& dir) {
    StringTable inventory;
    inventory.SetSize(3, 5);
    for (auto [row, name] : {std::pair{1, "Hat"}, {2, "Scarf"}, {4, "Coat"}})
        inventory.SetCell(0, row, name);  // row 3 is blank
    dir.Write("Inventory.dt2", inventory.TableFileBytes());
    StringTable customers;
    customers.SetSize(2, 3);
    customers.SetCell(0, 1, "Ann");
    customers.SetCell(1, 2, "B\xe9la");
    dir.Write("Customers.dt2", customers.TableFileBytes());
    StringTable invoices;
    invoices.SetSize(11, 2);  // headings and the blank row of a new history
    invoices.SetCell(0, 0, "Invoice");
    dir.Write("Invoices.dt2", invoices.TableFileBytes());
    dir.Write("settings.set", std::string("1\0\xff\r\n\x1a", 6));
    dir.Write("Item1.ihf", std::string(512, 'x'));
    dir.Write("Item2.ihf", "");
    dir.Write("labset.set", "label");
    dir.Write("Shelf.dld", std::string(1000, '\x80'));
    dir.Write("notes.txt", "not a store file");
}

BackupTime Day(int day, int hour = 0, int minute = 0, int second = 0) {
    return {2026, 11, day, hour, minute, second};
}

std::string Archive(const test::TempFolder& dir, const std::string& name) {
    return BackupFolder(dir.Path()) + name;
}

}  // namespace

TEST(Backup, RestoreGivesBackTheFilesByteForByteAndKeepsTheStateItReplaced) {
    test::TempFolder dir;
    WriteStore(dir);
    const auto original = StoreSnapshot(dir.Path());
    const std::string archive = WriteBackup(dir.Path(), BackupName(BackupKind::Daily, Day(5)));
    EXPECT_EQ(archive, dir.Path() + "backups/store-2026-11-05.tar");

    // Changes after the backup: a file changed, one removed, a history added.
    dir.Write("Inventory.dt2", "15\n1\n");
    fs::remove(dir.File("Item2.ihf"));
    dir.Write("Item3.ihf", "later");
    dir.Write("notes.txt", "mine");
    const auto changed = StoreSnapshot(dir.Path());

    const std::string before = RestoreBackup(dir.Path(), archive, Day(6, 14, 3, 9));
    EXPECT_EQ(before, dir.Path() + "backups/store-2026-11-06-before-restore-140309.tar");
    auto restored = original;
    restored["notes.txt"] = "mine";  // not the store's: left alone
    EXPECT_EQ(StoreSnapshot(dir.Path()), restored);

    // The state replaced comes back the same way.
    RestoreBackup(dir.Path(), before, Day(6, 14, 4));
    EXPECT_EQ(StoreSnapshot(dir.Path()), changed);
}

TEST(Backup, ArchiveIsPlainTarThatTheSystemToolReads) {
    if (std::system("tar --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no tar";
    test::TempFolder dir, out;
    WriteStore(dir);
    const std::string archive = WriteBackup(dir.Path(), BackupName(BackupKind::Manual, Day(5)));
    ASSERT_EQ(std::system(("tar -xf '" + archive + "' -C '" + out.Path() + "'").c_str()), 0);
    auto expected = StoreSnapshot(dir.Path());
    expected.erase("notes.txt");
    auto extracted = Snapshot(out.Path());
    EXPECT_TRUE(extracted.erase("backup.sums"));
    EXPECT_EQ(extracted, expected);
}

TEST(Backup, DamagedArchivesAreRefusedAndNothingChanges) {
    test::TempFolder dir;
    WriteStore(dir);
    const std::string good = WriteBackup(dir.Path(), BackupName(BackupKind::Daily, Day(5)));
    const std::string bytes = test::ReadBytes(good);
    dir.Write("Inventory.dt2", "15\n1\n");  // the current state differs from the backup

    auto flip = [&](std::size_t at) {
        std::string b = bytes;
        b[at] = static_cast<char>(b[at] ^ 0x20);
        return b;
    };
    // A header whose name is changed and whose sum is made right again.
    auto renamed = [&](const char* name) {
        std::string b = bytes;
        std::memset(b.data(), 0, 100);
        std::memcpy(b.data(), name, std::strlen(name));
        std::memset(b.data() + 148, ' ', 8);
        unsigned sum = 0;
        for (int i = 0; i < 512; ++i) sum += static_cast<unsigned char>(b[i]);
        std::snprintf(b.data() + 148, 8, "%06o", sum);
        return b;
    };
    const std::size_t firstData = 512;  // Customers.dt2 comes first, by name
    const std::pair<const char*, std::string> cases[] = {
        {"empty file", ""},
        {"not an archive", std::string(2048, 'a')},
        {"cut in a header", bytes.substr(0, 1024 + 100)},
        {"cut in a file's data", bytes.substr(0, firstData + 10)},
        {"end blocks missing", bytes.substr(0, bytes.size() - 1024)},
        {"one end block missing", bytes.substr(0, bytes.size() - 512)},
        {"a header byte changed", flip(10)},
        {"a data byte changed", flip(firstData + 3)},
        {"bytes after the end", bytes + "junk"},
        {"a name leaving the folder", renamed("../Customers.dt2")},
        {"a file twice",
         [&] {
             std::string b = bytes.substr(0, bytes.size() - 1024);
             return b + b;
         }()},
    };
    const auto before = Snapshot(dir.Path());
    for (const auto& [what, damaged] : cases) {
        SCOPED_TRACE(what);
        const std::string path = dir.File("damaged.tar");
        WriteFileSafely(path, damaged, "test");
        const auto expected = Snapshot(dir.Path());
        try {
            RestoreBackup(dir.Path(), path, Day(6));
            ADD_FAILURE() << "restored";
        } catch (const BackupRefused& e) {
            EXPECT_NE(std::string(e.what()).find("cannot be restored"), std::string::npos)
                << e.what();
            EXPECT_NE(std::string(e.what()).find("Nothing was changed"), std::string::npos);
        }
        EXPECT_EQ(Snapshot(dir.Path()), expected);
        fs::remove(path);
    }
    EXPECT_EQ(Snapshot(dir.Path()), before);
    EXPECT_THROW(RestoreBackup(dir.Path(), dir.File("missing.tar"), Day(6)), BackupRefused);
}

TEST(Backup, DailyBackupIsMadeOncePerDayAndOnlyForAStore) {
    test::TempFolder dir;
    EXPECT_EQ(EnsureDailyBackup(dir.Path(), Day(5)), "");
    EXPECT_FALSE(fs::exists(BackupFolder(dir.Path())));  // a new store writes nothing

    WriteStore(dir);
    EXPECT_EQ(EnsureDailyBackup(dir.Path(), Day(5, 8)), Archive(dir, "store-2026-11-05.tar"));
    const std::string first = test::ReadBytes(Archive(dir, "store-2026-11-05.tar"));
    dir.Write("Inventory.dt2", "15\n1\n");
    EXPECT_EQ(EnsureDailyBackup(dir.Path(), Day(5, 17)), "");  // the morning's state stays
    EXPECT_EQ(test::ReadBytes(Archive(dir, "store-2026-11-05.tar")), first);
    EXPECT_EQ(EnsureDailyBackup(dir.Path(), Day(6)), Archive(dir, "store-2026-11-06.tar"));
}

TEST(Backup, ListShowsNewestFirstWithCountsAndFlagsDamage) {
    test::TempFolder dir;
    WriteStore(dir);
    WriteBackup(dir.Path(), BackupName(BackupKind::Daily, Day(5)));
    WriteBackup(dir.Path(), BackupName(BackupKind::Manual, Day(5, 9, 30)));
    fs::remove(dir.File("Customers.dt2"));
    WriteBackup(dir.Path(), BackupName(BackupKind::BeforeRestore, Day(7, 18)));
    test::WriteBytes(Archive(dir, "store-2026-11-04.tar"), "damaged");
    test::WriteBytes(Archive(dir, "store-2026-11-04-backup.tar"), "not one of ours");

    const auto list = ListBackups(dir.Path());
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].when, "2026-11-07 18:00:00");
    EXPECT_TRUE(list[0].beforeRestore);
    EXPECT_EQ(list[0].customers, 0);  // not in that archive
    EXPECT_EQ(list[1].when, "2026-11-05 09:30:00");
    EXPECT_EQ(list[2].name, "store-2026-11-05.tar");
    EXPECT_EQ(list[2].when, "2026-11-05");
    EXPECT_EQ(list[2].path, Archive(dir, "store-2026-11-05.tar"));
    // Records are rows after the heading with text: blank rows do not count.
    EXPECT_EQ(list[2].items, 3);
    EXPECT_EQ(list[2].customers, 2);
    EXPECT_EQ(list[2].invoices, 0);
    EXPECT_TRUE(list[2].problem.empty());
    EXPECT_EQ(list[3].name, "store-2026-11-04.tar");
    EXPECT_EQ(list[3].items, -1);
    EXPECT_FALSE(list[3].problem.empty());
}

TEST(Backup, TheNewestThirtyAreKeptAndOtherFilesStay) {
    test::TempFolder dir;
    WriteStore(dir);
    fs::create_directories(BackupFolder(dir.Path()));
    test::WriteBytes(Archive(dir, "notes.txt"), "keep");
    test::WriteBytes(Archive(dir, "store-old.tar"), "keep");
    // 31 days, October 31 to November 30; then on the last day two more
    // archives, which sort after the day's own.
    for (int day = 1; day <= 31; ++day) {
        BackupTime when{2026, day <= 1 ? 10 : 11, day <= 1 ? 31 : day - 1};
        WriteBackup(dir.Path(), BackupName(BackupKind::Daily, when));
    }
    auto archives = ListBackups(dir.Path());
    ASSERT_EQ(archives.size(), 30u);
    EXPECT_EQ(archives.back().name, "store-2026-11-01.tar");  // October's is gone
    EXPECT_FALSE(fs::exists(Archive(dir, "store-2026-10-31.tar")));

    WriteBackup(dir.Path(), BackupName(BackupKind::Manual, Day(30, 7)));
    WriteBackup(dir.Path(), BackupName(BackupKind::BeforeRestore, Day(30, 6)));
    archives = ListBackups(dir.Path());
    ASSERT_EQ(archives.size(), 30u);
    EXPECT_EQ(archives[0].name, "store-2026-11-30-070000.tar");
    EXPECT_EQ(archives[1].name, "store-2026-11-30-before-restore-060000.tar");
    EXPECT_EQ(archives[2].name, "store-2026-11-30.tar");
    EXPECT_EQ(archives.back().name, "store-2026-11-03.tar");
    EXPECT_EQ(test::ReadBytes(Archive(dir, "notes.txt")), "keep");
    EXPECT_EQ(test::ReadBytes(Archive(dir, "store-old.tar")), "keep");
}

TEST(Backup, NothingToBackUpIsRefused) {
    test::TempFolder dir;
    dir.Write("notes.txt", "x");
    EXPECT_THROW(WriteBackup(dir.Path(), "store-2026-11-05.tar"), BackupRefused);
    EXPECT_FALSE(fs::exists(Archive(dir, "store-2026-11-05.tar")));
}
