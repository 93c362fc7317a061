// Saves of many files that happen whole or not at all: the journal, finishing
// or discarding a save cut short, and the temporary files' own names.
#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/core/storesave.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <map>
#include <string>

namespace fs = std::filesystem;
using namespace brenvik;

namespace {

class SaveFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/storesave-test-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = std::string(tmpl) + "/";
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Put(const std::string& name, const std::string& bytes) const {
        WriteFileSafely(dir_ + name, bytes, "test");
    }
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(dir_)) {
            std::string bytes;
            if (e.is_regular_file()) ReadWholeFile(e.path().string(), bytes);
            else bytes = "<folder>";
            files[e.path().filename().string()] = bytes;
        }
        return files;
    }
    // A batch staged and made to stop right after its journal is written.
    void CutShortAfterJournal() {
        // Steps: two staged files, the sync, the journal, then the first rename.
        g_saveStepHook = [](int step) {
            if (step == 5) throw std::runtime_error("cut");
        };
        try {
            SaveBatch batch(dir_);
            batch.Stage("a.dt2", "new a", "Cannot create a");
            batch.Stage("b.ihf", "new b", "Cannot create b");
            batch.Remove("old.ihf");
            batch.Commit("Cannot create a");
            ADD_FAILURE() << "the save should have been cut short";
        } catch (const std::runtime_error&) {}
        g_saveStepHook = nullptr;
    }

    std::string dir_;
};

std::string TempNameIn(const std::string& folder, const std::string& name) {
    SafeFileWriter w(folder + name, "x");
    std::string temp = w.Detach();
    return temp.substr(folder.size());
}

}  // namespace

TEST_F(SaveFolder, BatchReplacesEveryFileAtOnce) {
    Put("a.dt2", "old a");
    Put("old.ihf", "stale");
    Put("keep.txt", "other");
    SaveBatch batch(dir_);
    batch.Stage("a.dt2", "new a", "Cannot create a");
    batch.Stage("b.ihf", "new b", "Cannot create b");
    batch.Remove("old.ihf");
    EXPECT_EQ(Files().size(), 5u);  // staged beside the old files, nothing replaced yet
    EXPECT_EQ(Files()["a.dt2"], "old a");
    batch.Commit("Cannot create a");
    EXPECT_EQ(Files(), (std::map<std::string, std::string>{
                           {"a.dt2", "new a"}, {"b.ihf", "new b"}, {"keep.txt", "other"}}));
}

TEST_F(SaveFolder, BatchNotCommittedChangesNothing) {
    Put("a.dt2", "old a");
    {
        SaveBatch batch(dir_);
        batch.Stage("a.dt2", "new a", "Cannot create a");
        batch.Remove("a.dt2");
    }
    EXPECT_EQ(Files(), (std::map<std::string, std::string>{{"a.dt2", "old a"}}));
}

TEST_F(SaveFolder, AFolderInAFilesPlaceFailsTheSaveBeforeAnythingChanges) {
    Put("a.dt2", "old a");
    fs::create_directory(dir_ + "b.dt2");
    SaveBatch batch(dir_);
    batch.Stage("a.dt2", "new a", "Cannot create a");
    batch.Stage("b.dt2", "new b", "Cannot create b");
    try {
        batch.Commit("Cannot create a");
        FAIL() << "expected a StoreError";
    } catch (const StoreError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create b");
    }
    EXPECT_EQ(Files()["a.dt2"], "old a");
    EXPECT_FALSE(HasInterruptedSave(dir_));
}

TEST_F(SaveFolder, ASaveCutShortAfterItsJournalIsCompletedAtStart) {
    Put("a.dt2", "old a");
    Put("old.ihf", "stale");
    CutShortAfterJournal();
    ASSERT_TRUE(HasInterruptedSave(dir_));
    EXPECT_EQ(Files()["a.dt2"], "old a");

    const std::string message = FinishInterruptedSave(dir_);
    EXPECT_NE(message.find("has now been completed"), std::string::npos) << message;
    EXPECT_EQ(Files(),
              (std::map<std::string, std::string>{{"a.dt2", "new a"}, {"b.ihf", "new b"}}));
    // Done once: the next start has nothing to say.
    EXPECT_EQ(FinishInterruptedSave(dir_), "");
}

TEST_F(SaveFolder, ASaveWhoseNewFilesAreIncompleteIsDiscarded) {
    Put("a.dt2", "old a");
    Put("old.ihf", "stale");
    CutShortAfterJournal();
    // One new file lost its end (a disk that lied about the sync).
    for (const auto& [name, bytes] : Files())
        if (bytes == "new b") Put(name, "ne");
    const std::string message = FinishInterruptedSave(dir_);
    EXPECT_NE(message.find("has been discarded"), std::string::npos) << message;
    EXPECT_EQ(Files(),
              (std::map<std::string, std::string>{{"a.dt2", "old a"}, {"old.ihf", "stale"}}));
}

TEST_F(SaveFolder, AJournalThatDoesNotReadIsDiscarded) {
    Put("a.dt2", "old a");
    for (const std::string& journal :
         {std::string("brenvik save journal 1\nR 5 x\n"), std::string("garbage"),
          std::string("brenvik save journal 1\nR five a.tmp\ta.dt2\nend\n")}) {
        Put(kSaveJournal, journal);
        EXPECT_NE(FinishInterruptedSave(dir_).find("discarded"), std::string::npos) << journal;
        EXPECT_EQ(Files(), (std::map<std::string, std::string>{{"a.dt2", "old a"}}));
    }
}

TEST_F(SaveFolder, OnlyTheProgramsOwnTemporaryFilesAreLeftovers) {
    const std::string ours = TempNameIn(dir_, "Inventory.dt2");
    const std::string ours2 = TempNameIn(dir_, "Item12.ihf");
    EXPECT_TRUE(IsTempFileName(ours)) << ours;
    EXPECT_TRUE(IsTempFileName(ours2)) << ours2;
    // Names that only look alike stay: the user's files and other programs'.
    const std::vector<std::string> others = {"Inventory.dt2",
                                             "Item1.ihf",
                                             "Item1.ihf.a1B2c3",
                                             "report.tmp",
                                             "x.brenvik-12345.tmp",
                                             "x.brenvik-12_456.tmp",
                                             "x.brenvik-123456.tmp.bak",
                                             "x.Brenvik-123456.tmp"};
    for (const std::string& name : others) {
        EXPECT_FALSE(IsTempFileName(name)) << name;
        Put(name, "user");
    }
    fs::create_directory(dir_ + "y.brenvik-abcdef.tmp");  // a folder is never ours

    EXPECT_EQ(FinishInterruptedSave(dir_), "");
    auto files = Files();
    EXPECT_EQ(files.count(ours) + files.count(ours2), 0u);
    for (const std::string& name : others) EXPECT_EQ(files[name], "user") << name;
    EXPECT_EQ(files["y.brenvik-abcdef.tmp"], "<folder>");
}

TEST_F(SaveFolder, KeepAsideNeverOverwrites) {
    Put("Item2.ihf", "first");
    EXPECT_EQ(KeepAside(dir_ + "Item2.ihf"), dir_ + "Item2.ihf.unreadable");
    Put("Item2.ihf", "second");
    EXPECT_EQ(KeepAside(dir_ + "Item2.ihf"), dir_ + "Item2.ihf.unreadable2");
    EXPECT_EQ(Files(), (std::map<std::string, std::string>{{"Item2.ihf.unreadable", "first"},
                                                           {"Item2.ihf.unreadable2", "second"}}));
    EXPECT_EQ(KeepAside(dir_ + "missing"), "");
}
