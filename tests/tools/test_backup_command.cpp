// brenvik-data backup and restore, end to end.
#include "tool_fixture.h"

#include "store/core/backup.h"
#include "store/core/datafolder.h"

#include <filesystem>
#include <map>

namespace brenvik {

namespace fs = std::filesystem;

namespace {

class BackupCommand : public BrenvikData {
protected:
    void SetUp() override {
        BrenvikData::SetUp();
        fs::create_directories(Path("store"));
        store_ = Path("store/");
        Put("store/Inventory.dt2", "2,3\r\n0,0,Item\r\n0,1,Hat\r\n1,2,10\r\n");
        Put("store/Customers.dt2", "1,2\r\n0,0,Name\r\n0,1,Ann\r\n");
        Put("store/settings.set", std::string("1\0\xff", 3));
        Put("store/Item1.ihf", "history");
    }
    // The store files with their bytes.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const std::string& name : StoreFiles(store_)) files[name] = File("store/" + name);
        return files;
    }
    std::string store_;
};

}  // namespace

TEST_F(BackupCommand, BackupThenRestoreGivesBackTheFiles) {
    const auto original = Files();
    Result r = Run({"backup", store_});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto list = ListBackups(store_);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(r.out, "backup written to " + list[0].path + "\n");
    EXPECT_EQ(list[0].items, 2);
    EXPECT_EQ(list[0].customers, 1);

    Put("store/Inventory.dt2", "2,1\r\n0,0,Item\r\n");
    Put("store/Item2.ihf", "added later");
    r = Run({"restore", store_, list[0].path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("the files as they were are kept in " + store_ + "backups/store-"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(Files(), original);
    EXPECT_EQ(ListBackups(store_).size(), 2u);
}

TEST_F(BackupCommand, DamagedArchiveIsRefusedWithNothingChanged) {
    ASSERT_EQ(Run({"backup", store_}).status, 0);
    const std::string archive = ListBackups(store_)[0].path;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(archive, bytes));
    Put("damaged.tar", bytes.substr(0, bytes.size() / 2));
    Put("store/Inventory.dt2", "2,1\r\n0,0,Item\r\n");
    const auto before = Files();

    Result r = Run({"restore", store_, Path("damaged.tar")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("cannot be restored: the archive is cut short"), std::string::npos)
        << r.err;
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(ListBackups(store_).size(), 1u);  // no backup of the state was needed
}

TEST_F(BackupCommand, ListAndRestoreByName) {
    WriteBackup(store_, BackupName(BackupKind::Daily, {2026, 11, 5}));
    Put("store/Customers.dt2", "1,3\r\n0,0,Name\r\n0,1,Ann\r\n0,2,Bo\r\n");
    WriteBackup(store_, BackupName(BackupKind::Manual, {2026, 11, 6, 9, 15, 0}));
    Put("store/backups/store-2026-11-07.tar", "damaged");
    Result r = Run({"backups", store_});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string folder = store_ + "backups/";
    EXPECT_EQ(r.out,
              "date\titems\tcustomers\tinvoices\tarchive\n"
              "2026-11-07\t?\t?\t?\t" +
                  folder +
                  "store-2026-11-07.tar\tdamaged: the archive is cut short\n"
                  "2026-11-06 09:15:00\t2\t2\t0\t" +
                  folder +
                  "store-2026-11-06-091500.tar\n"
                  "2026-11-05\t2\t1\t0\t" +
                  folder + "store-2026-11-05.tar\n");

    r = Run({"restore", store_, "store-2026-11-05.tar"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(File("store/Customers.dt2"), "1,2\r\n0,0,Name\r\n0,1,Ann\r\n");
    EXPECT_EQ(Run({"restore", store_, "store-2026-11-07.tar"}).status, 1);
}

TEST_F(BackupCommand, BadArgumentsAndAnEmptyFolder) {
    fs::create_directories(Path("empty"));
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"backup"}, 2},
        {{"backup", store_, "extra"}, 2},
        {{"backup", Path("nowhere")}, 2},
        {{"restore", store_}, 2},
        {{"backups"}, 2},
        {{"backups", Path("nowhere")}, 2},
        {{"restore", store_, Path("missing.tar")}, 2},
        {{"restore", Path("nowhere"), Path("missing.tar")}, 2},
        {{"backup", Path("empty")}, 1},  // nothing to back up
    };
    for (const auto& [args, status] : cases) {
        Result r = Run(args);
        EXPECT_EQ(r.status, status) << args[0] << " " << args.size();
        EXPECT_NE(r.err, "");
    }
    EXPECT_FALSE(fs::exists(Path("empty/backups")));
    EXPECT_FALSE(fs::exists(Path("store/backups")));
}

TEST_F(BackupCommand, UsageNamesBothCommands) {
    Result r = Run({"--help"});
    EXPECT_NE(r.out.find("  backup DIR "), std::string::npos);
    EXPECT_NE(r.out.find("  restore DIR ARCHIVE "), std::string::npos);
    EXPECT_NE(r.out.find("  backups DIR "), std::string::npos);
}

}  // namespace brenvik
