// The store's save taken as a whole: killed at any point, the next start
// finds every item with its own history; unreadable files are kept and named.
#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/core/storesave.h"
#include "store/inventory/history.h"
#include "store/inventory/store.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace brenvik;

namespace {

class StoreSave : public ::testing::Test {
protected:
    void SetUp() override {
        // In memory where the system offers it: a killed process loses
        // nothing in the system's cache, so the disk adds only waiting.
        std::string tmpl = fs::is_directory("/dev/shm") ? "/dev/shm/store-save-test-XXXXXX"
                                                        : "/tmp/store-save-test-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        dir_ = root_ + "/store/";
        fs::create_directory(dir_);
    }
    void TearDown() override { fs::remove_all(root_); }

    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename());
        return names;
    }

    std::string root_, dir_;
};

constexpr int kItems = 300;

// Item k is named "item-k" and every entry of its history carries that name,
// so a history that landed on another item shows at once.
void BuildStore(Store& store) {
    const int name = GridField(store.Data, "Item");
    const int code = GridField(store.Data, "Bar Code");
    for (int k = 1; k <= kItems; ++k) {
        const int row = store.AppendItem();
        store.Data.SetCell(name, row, "item-" + std::to_string(k));
        store.Data.SetCell(code, row, std::to_string(1000 + k));
        for (int e = 0; e <= k % 3; ++e)
            AppendHistoryEntry(store.History(row), {"2026/01/02", "Invoice Sale", "", "1", "$1.00",
                                                    "item-" + std::to_string(k)});
    }
}

// Every item row's history names that row's item; the item names are the
// store's, once each.
void ExpectHistoriesMatchTheirItems(Store& store, const std::string& context) {
    const int name = GridField(store.Data, "Item");
    ASSERT_EQ(store.ItemCount(), kItems) << context;
    std::set<std::string> seen;
    for (int row = 1; row <= store.ItemCount(); ++row) {
        const std::string item(store.Data.Cell(name, row));
        seen.insert(item);
        const HistoryList& h = store.History(row);
        ASSERT_FALSE(h.empty()) << context << ": row " << row;
        for (std::size_t i = 5; i < h.size(); i += 6)
            ASSERT_EQ(h[i], item) << context << ": row " << row;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kItems)) << context;
}

// The change the killed save writes: the items in another order, and one
// more entry for every tenth item.
void ChangeStore(Store& store) {
    std::vector<int> order = store.SortedOrder(GridField(store.Data, "Item"), false);
    std::mt19937 rng(99);
    std::shuffle(order.begin(), order.end(), rng);
    store.ReorderItems(order);
    const int name = GridField(store.Data, "Item");
    for (int row = 1; row <= store.ItemCount(); row += 10)
        AppendHistoryEntry(store.History(row), {"2026/02/03", "Product Return", "", "1", "$1.00",
                                                std::string(store.Data.Cell(name, row))});
}

int g_killAt = 0;
int g_steps = 0;

}  // namespace

TEST_F(StoreSave, KilledAtAnyPointTheNextStartFindsEveryHistoryWithItsItem) {
    {
        Store store(dir_);
        BuildStore(store);
        store.SaveAll();
    }
    const std::string baseline = root_ + "/baseline";
    fs::copy(dir_, baseline);

    // How many steps a save of the changed store takes.
    g_saveStepHook = [](int step) { g_steps = std::max(g_steps, step); };
    {
        Store store(dir_);
        ASSERT_TRUE(store.LoadInventory().empty());
        ChangeStore(store);
        store.SaveAll();
    }
    g_saveStepHook = nullptr;
    ASSERT_GT(g_steps, 2 * kItems);

    // Kill points: every step near the journal and the ends, a spread
    // elsewhere; a few hundred in all.
    std::vector<int> points;
    for (int step = 1; step <= g_steps + 1; ++step)
        if (step <= 5 || step >= g_steps - 5 || step % 4 == 0 || std::abs(step - (kItems + 8)) < 10)
            points.push_back(step);

    int completed = 0, old = 0;
    for (int point : points) {
        fs::remove_all(dir_);
        fs::copy(baseline, dir_);
        g_killAt = point;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            g_saveStepHook = [](int step) {
                if (step == g_killAt) ::kill(::getpid(), SIGKILL);
            };
            Store store(dir_);
            store.LoadInventory();
            ChangeStore(store);
            try {
                store.SaveAll();
            } catch (...) {
                ::_exit(3);
            }
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        ASSERT_TRUE(killed || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << "step " << point;

        Store next(dir_);
        const std::vector<std::string> messages = next.LoadInventory();
        const std::string context = "killed at step " + std::to_string(point);
        ExpectHistoriesMatchTheirItems(next, context);
        if (HasFailure()) return;
        // Whole: either the old order everywhere or the new one everywhere.
        const bool isOld = next.Data.Cell(GridField(next.Data, "Item"), 1) == "item-1";
        (isOld ? old : completed)++;
        if (!messages.empty()) {
            EXPECT_EQ(messages.size(), 1u) << context << ": " << messages.front();
        }
        // Nothing of the killed save is left behind.
        for (const std::string& name : Names()) {
            EXPECT_FALSE(IsTempFileName(name)) << context << ": " << name;
            EXPECT_NE(name, kSaveJournal) << context;
        }
    }
    // The kills fell both before and after the point where a save counts as made.
    EXPECT_GT(old, 0);
    EXPECT_GT(completed, 0);
}

TEST_F(StoreSave, UnreadableFilesAreNamedAtStartAndKeptAside) {
    {
        Store store(dir_);
        BuildStore(store);
        store.SaveAll();
    }
    fs::remove(dir_ + "Item2.ihf");
    fs::create_directory(dir_ + "Item2.ihf");
    const std::string zeros(512, '\0');
    WriteFileSafely(dir_ + "Customers.dt2", zeros, "test");

    Store store(dir_);
    const std::vector<std::string> messages = store.LoadInventory();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Cannot open file " + dir_ +
                               "Customers.dt2: it is not a table file (its first line is no "
                               "size line)");
    EXPECT_NE(messages[1].find("The history of item 2 \"item-2\" is not shown"), std::string::npos)
        << messages[1];
    EXPECT_NE(messages[1].find(dir_ + "Item2.ihf"), std::string::npos) << messages[1];
    EXPECT_EQ(store.CustomerData.RowCount(), 1);

    store.SaveAll();
    const std::set<std::string> names = Names();
    EXPECT_TRUE(names.count("Item2.ihf.unreadable"));
    EXPECT_TRUE(names.count("Customers.dt2.unreadable"));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(dir_ + "Customers.dt2.unreadable", bytes));
    EXPECT_EQ(bytes, zeros);
    // The next start reads the new files without a word.
    Store again(dir_);
    EXPECT_TRUE(again.LoadInventory().empty());
}

TEST_F(StoreSave, HistoriesOfAnInventoryThatDoesNotReadAreKeptWithIt) {
    {
        Store store(dir_);
        BuildStore(store);
        store.SaveAll();
    }
    std::string item7;
    ASSERT_TRUE(ReadWholeFile(dir_ + "Item7.ihf", item7));
    WriteFileSafely(dir_ + "Inventory.dt2", std::string(300, '\xff'), "test");
    Store store(dir_);
    ASSERT_EQ(store.LoadInventory().size(), 1u);
    EXPECT_EQ(store.ItemCount(), 0);
    store.SaveAll();
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(dir_ + "Item7.ihf.unreadable", kept));
    EXPECT_EQ(kept, item7);
    EXPECT_TRUE(fs::exists(dir_ + "Inventory.dt2.unreadable"));
}

TEST_F(StoreSave, LeftoversOfAKilledSaveAreRemovedAtStart) {
    {
        Store store(dir_);
        BuildStore(store);
        store.SaveAll();
    }
    // What a save killed while writing leaves: temporary files, no journal.
    std::string temp;
    {
        SafeFileWriter w(dir_ + "Inventory.dt2", "x");
        w.Write(std::string(1000, 'x'));
        temp = w.Detach();
    }
    WriteFileSafely(dir_ + "Inventory.dt2.backup", "the user's", "test");
    Store store(dir_);
    EXPECT_TRUE(store.LoadInventory().empty());
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_TRUE(fs::exists(dir_ + "Inventory.dt2.backup"));
    ExpectHistoriesMatchTheirItems(store, "start");
}
