// Where an installed store keeps its data, and bringing in an existing store
// on the first start.
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include "store/core/datafolder.h"
#include "store/core/safefile.h"
#include "store/core/screens/FirstStart.h"
#include "ui/text.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QStandardPaths>

#include <cstdlib>
#include <filesystem>

using namespace brenvik;

TEST(DataFolder, EnvironmentThenWritableProgramFolderThenPerUser) {
    struct Case {
        std::string env;
        bool writable;
        std::string expected;
    } cases[] = {
        {"/srv/store", false, "/srv/store/"},
        {"/srv/store/", true, "/srv/store/"},
        {"", true, "/opt/merivale/"},
        {"", false, "/home/ann/.local/share/Merivale/Merivale/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseDataFolder(c.env, "/opt/merivale", c.writable,
                                   "/home/ann/.local/share/Merivale/Merivale"),
                  c.expected)
            << c.env << " " << c.writable;
}

TEST(DataFolder, PerUserFolderIsQtsApplicationDataLocation) {
    test::TempFolder home;
    const std::string saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", (home.Path() + "share").c_str(), 1);
    QCoreApplication::setOrganizationName("Merivale");
    QCoreApplication::setApplicationName("Merivale");
    EXPECT_EQ(
        PerUserDataFolder(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() + "/");
    if (saved.empty()) unsetenv("XDG_DATA_HOME");
    else setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

class FirstStart : public ::testing::Test {
protected:
    void SetUp() override {
        old = tmp.Path() + "old store/";
        MakeFolder(old);
        files = {{"Inventory.dt2", "1,1\r\nName\r\n"},
                 {"Customers.dt2", std::string("c\0d\x1a", 4)},
                 {"settings.set", "TPF0"},
                 {"Item1.ihf", "2025/01/02\r\nInvoice Sale\r\n"},
                 {"ITEM2.IHF", "x\r\n"},
                 {"Shop labels.dld", "layout"}};
        for (const auto& [name, bytes] : files) WriteFileSafely(old + name, bytes, "fixture");
        WriteFileSafely(old + "notes.txt", "not the store's", "fixture");
        target = tmp.Path() + "user/Merivale/Merivale/";
    }
    test::TempFolder tmp;
    test::ScriptedPlatform ui;
    std::string old, target;
    std::vector<std::pair<std::string, std::string>> files;
};

TEST_F(FirstStart, CopiesTheChosenStoreByteForByte) {
    ui.ExpectConfirmation(test::Containing("existing store"), MsgAnswer::Yes);
    ui.ExpectOpenFile(ui::PathToQ(old + "Inventory.dt2"));
    ui.ExpectInformation(test::Containing("6 files of the store were copied"));
    EXPECT_TRUE(OfferStoreImport(target));
    for (const auto& [name, bytes] : files) {
        std::string copied;
        ASSERT_TRUE(ReadWholeFile(target + name, copied)) << name;
        EXPECT_EQ(copied, bytes) << name;
    }
    EXPECT_FALSE(FileExists(target + "notes.txt"));
    EXPECT_TRUE(FileExists(old + "Inventory.dt2"));  // the old store stays
    // Next start: the folder holds a store, nothing is asked.
    EXPECT_FALSE(OfferStoreImport(target));
}

TEST_F(FirstStart, NoOrCancelStartsEmptyInACreatedFolder) {
    ui.ExpectConfirmation(test::Containing("existing store"), MsgAnswer::No);
    EXPECT_FALSE(OfferStoreImport(target));
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_TRUE(StoreFiles(target).empty());

    ui.ExpectConfirmation(test::Containing("existing store"), MsgAnswer::Yes);
    ui.ExpectOpenFileCancel();
    EXPECT_FALSE(OfferStoreImport(target));
    EXPECT_TRUE(StoreFiles(target).empty());
}
