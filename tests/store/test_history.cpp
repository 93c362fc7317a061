// Item history files, the history table and the store's item rows.
#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/inventory/history.h"
#include "store/inventory/store.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;
using namespace brenvik;

namespace {

struct TempFolder {
    fs::path path;
    TempFolder() {
        path = fs::temp_directory_path() /
               ("hist-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
    std::string Folder() const { return path.string() + "/"; }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(path))
            names.insert(e.path().filename().string());
        return names;
    }
    std::string Read(const std::string& name) const {
        std::string bytes;
        ReadWholeFile(Folder() + name, bytes);
        return bytes;
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    static inline int counter = 0;
};

HistoryList Entry(const std::string& date, const std::string& activity, const std::string& qty,
                  const std::string& notes = "") {
    return {date, activity, "", qty, "$1.00", notes};
}

}  // namespace

TEST(HistoryFile, LinesSplitAtEveryKindOfLineEnd) {
    struct Case {
        std::string bytes;
        HistoryList lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\n", {""}},
        {"x\n\r", {"x", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseHistoryBytes(c.bytes), c.lines) << c.bytes;
    EXPECT_EQ(HistoryFileBytes({"2026/01/02", "Invoice Sale", "", ""}),
              "2026/01/02\r\nInvoice Sale\r\n\r\n\r\n");
    EXPECT_EQ(HistoryFileBytes({}), "");
    EXPECT_EQ(HistoryFileName(12), "Item12.ihf");
}

TEST(HistoryFile, LineBreaksInValuesBecomeOneSpace) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"}, {"a\r\nb", "a b"},      {"a\rb", "a b"},        {"a\nb", "a b"},
        {"a\n\rb", "a  b"}, {"a\r\n\r\nb", "a  b"}, {"\r\nend\n", " end "}, {"", ""},
    };
    for (const auto& [typed, stored] : cases) EXPECT_EQ(HistoryValue(typed), stored) << typed;

    // The writer's guard: a value that still holds a line break is written as
    // one line, so every later value stays in its field.
    const HistoryList history = {"2026/01/02", "Invoice Sale",   "", "1", "$1.00", "two\r\nlines",
                                 "2026/01/03", "Product Return", "", "2", "$2.00", "x\ny"};
    const HistoryList back = ParseHistoryBytes(HistoryFileBytes(history));
    ASSERT_EQ(back.size(), 12u);
    EXPECT_EQ(back[5], "two lines");
    EXPECT_EQ(back[6], "2026/01/03");
    EXPECT_EQ(back[11], "x y");

    HistoryList appended;
    AppendHistoryEntry(appended, {"2026/01/02", "Invoice Sale", "7", "1\r\n", "$1", "a\rb"});
    EXPECT_EQ(appended, (HistoryList{"2026/01/02", "Invoice Sale", "7", "1 ", "$1", "a b"}));
}

TEST(HistoryTable, CellsTypedOrPastedWithLineBreaksEnterTheHistoryAsOneLine) {
    StringTable dir;
    dir.SetRowCount(kHistoryTableRows);
    ListToDir(dir, Entry("2026/01/02", "Invoice Sale", "2", "old"));
    dir.SetCell(5, 1, "pasted\r\nfrom a\nmemo");
    dir.SetCell(0, 1, "2026/01/02\n");
    HistoryList history;
    DirToList(dir, history);
    EXPECT_EQ(history,
              (HistoryList{"2026/01/02 ", "Invoice Sale", "", "2", "$1.00", "pasted from a memo"}));
}

TEST(HistoryFile, NamesThatDifferOnlyInCaseAreReadAndWrittenBackExactly) {
    TempFolder dir;
    dir.Write("ITEM1.IHF", "from another system\r\n");
    dir.Write("item2.ihf", "lower case\r\n");
    dir.Write("Item3.ihf", "exact\r\n");
    dir.Write("ITEM3.IHF", "the exact name wins\r\n");
    std::vector<HistoryList> loaded;
    EXPECT_TRUE(LoadItemHistory(dir.Folder(), 3, loaded).empty());
    EXPECT_EQ(loaded[1], HistoryList{"from another system"});
    EXPECT_EQ(loaded[2], HistoryList{"lower case"});
    EXPECT_EQ(loaded[3], HistoryList{"exact"});

    SaveItemHistory(dir.Folder(), loaded);
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"Item1.ihf", "Item2.ihf", "Item3.ihf"}));
    EXPECT_EQ(dir.Read("Item1.ihf"), "from another system\r\n");
    EXPECT_EQ(dir.Read("Item2.ihf"), "lower case\r\n");
}

TEST(HistoryFile, AFileThatCannotBeReadIsKeptAsideAndNeverDeleted) {
    TempFolder dir;
    dir.Write("Item1.ihf", "one\r\n");
    fs::create_directory(dir.path / "Item2.ihf");  // cannot be read as a file
    fs::create_directory(dir.path / "Item9.ihf");  // stale, but not read either
    const bool permissionsBind = ::geteuid() != 0;
    dir.Write("Item3.ihf", "no permission\r\n");
    fs::permissions(dir.path / "Item3.ihf", fs::perms::none);

    std::vector<HistoryList> loaded;
    const std::vector<std::string> errors =
        LoadItemHistory(dir.Folder(), 3, loaded, nullptr,
                        [](int row) { return row == 2 ? std::string("Blue pen") : ""; });
    ASSERT_EQ(errors.size(), permissionsBind ? 2u : 1u);
    const std::string path = dir.Folder() + "Item2.ihf";
    EXPECT_EQ(errors[0], "Cannot open file " + path +
                             ". The history of item 2 \"Blue pen\" is not shown. The file is "
                             "kept as " +
                             path + ".unreadable when the store is next saved.");
    if (permissionsBind) {
        EXPECT_NE(errors[1].find("item 3 is not shown"), std::string::npos);
    }

    loaded[2] = Entry("2026/05/01", "Invoice Sale", "1");
    SaveItemHistory(dir.Folder(), loaded);
    std::set<std::string> expected = {"Item1.ihf", "Item2.ihf", "Item3.ihf", "Item2.ihf.unreadable",
                                      "Item9.ihf.unreadable"};
    if (permissionsBind) expected.insert("Item3.ihf.unreadable");
    EXPECT_EQ(dir.Names(), expected);
    EXPECT_TRUE(fs::is_directory(dir.path / "Item2.ihf.unreadable"));
    EXPECT_EQ(dir.Read("Item2.ihf"), HistoryFileBytes(loaded[2]));
    if (permissionsBind) {
        fs::permissions(dir.path / "Item3.ihf.unreadable", fs::perms::owner_read);
        EXPECT_EQ(dir.Read("Item3.ihf.unreadable"), "no permission\r\n");
    }
}

TEST(HistoryFile, SaveRenumbersAndRemovesStaleFiles) {
    TempFolder dir;
    dir.Write("Item1.ihf", "old one\r\n");
    dir.Write("Item7.ihf", "stale\r\n");
    dir.Write("notes.IHF", "also a history file\r\n");
    dir.Write("Inventory.dt2", "kept");

    std::vector<HistoryList> h(4);
    h[1] = Entry("2026/01/02", "Invoice Sale", "2");
    h[2] = {};  // an empty history still gets its (empty) file
    h[3] = Entry("2026/02/03", "Product Return", "1", "late notes");
    SaveItemHistory(dir.Folder(), h);

    EXPECT_EQ(dir.Names(),
              (std::set<std::string>{"Inventory.dt2", "Item1.ihf", "Item2.ihf", "Item3.ihf"}));
    EXPECT_EQ(dir.Read("Item1.ihf"), HistoryFileBytes(h[1]));
    EXPECT_EQ(dir.Read("Item2.ihf"), "");

    std::vector<HistoryList> loaded;
    EXPECT_TRUE(LoadItemHistory(dir.Folder(), 4, loaded).empty());
    ASSERT_EQ(loaded.size(), 5u);
    EXPECT_EQ(loaded[1], h[1]);
    EXPECT_EQ(loaded[3], h[3]);
    EXPECT_TRUE(loaded[4].empty());  // no file: empty history

    SaveItemHistory(dir.Folder(), std::vector<HistoryList>(1));
    EXPECT_EQ(dir.Names(), std::set<std::string>{"Inventory.dt2"});
}

TEST(HistoryFile, FailedSaveLeavesThePreviousSet) {
    TempFolder dir;
    std::vector<HistoryList> before(3);
    before[1] = Entry("2026/01/02", "Invoice Sale", "2");
    before[2] = Entry("2026/01/03", "Invoice Sale", "5");
    SaveItemHistory(dir.Folder(), before);

    // The second new file cannot be written in full: a file size limit makes
    // the write fail part way, as a full disk does.
    std::vector<HistoryList> after(4);
    after[2] = HistoryList(1000, "0123456789");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    try {
        SaveItemHistory(dir.Folder(), after);
        ADD_FAILURE() << "save should fail";
    } catch (const StoreError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create " + dir.Folder() + "Item2.ihf");
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"Item1.ihf", "Item2.ihf"}));
    EXPECT_EQ(dir.Read("Item1.ihf"), HistoryFileBytes(before[1]));
    EXPECT_EQ(dir.Read("Item2.ihf"), HistoryFileBytes(before[2]));

    // A folder that does not exist.
    EXPECT_THROW(SaveItemHistory(dir.Folder() + "missing/", before), StoreError);
}

TEST(HistoryTable, LongHistoriesAreShownWhole) {
    StringTable dir;
    dir.SetRowCount(kHistoryTableRows);
    HistoryList history;
    for (int i = 0; i < 2600; ++i) {
        HistoryList e =
            Entry("2026/01/01", "Invoice Sale", std::to_string(i), "n" + std::to_string(i));
        history.insert(history.end(), e.begin(), e.end());
    }
    history.push_back("2026/05/05");  // an incomplete last entry
    ListToDir(dir, history);
    EXPECT_EQ(dir.Cell(0, 0), "Date");
    EXPECT_EQ(dir.Cell(5, 0), "Notes");
    EXPECT_EQ(dir.Tag(0, 2601), HistoryRowInUse);
    EXPECT_EQ(dir.Cell(0, 2601), "2026/05/05");
    EXPECT_EQ(dir.Tag(0, dir.RowCount() - 1), HistoryRowUnused);  // a free last row

    HistoryList back;
    DirToList(dir, back);
    ASSERT_EQ(back.size(), 2601u * 6);
    EXPECT_TRUE(std::equal(history.begin(), history.end(), back.begin()));
    EXPECT_EQ(back.back(), "");

    // Add finds the first free row, growing the table so a free last row remains.
    int free = FindFreeHistoryRow(dir);
    EXPECT_EQ(free, 2602);
    EXPECT_GT(dir.RowCount() - 1, free);

    // Clear: cells and tags gone; the list becomes empty.
    for (int r = 1; r < dir.RowCount(); ++r) {
        for (int c = 0; c < 6; ++c) dir.SetCell(c, r, "");
        dir.SetTag(0, r, HistoryRowCleared);
    }
    DirToList(dir, back);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(FindFreeHistoryRow(dir), 1);
}

TEST(StoreRules, WholeNumbersAndNextBarcode) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    } cases[] = {{"0012", true, 12}, {"  -5", true, -5},       {"+7", true, 7},
                 {"$1F", true, 31},  {"abc", false, 0},        {"12 ", false, 0},
                 {"", false, 0},     {"2147483648", false, 0}, {"-2147483648", true, INT32_MIN},
                 {"12AB", false, 0}};
    for (const auto& c : cases) {
        std::int32_t v = 0;
        EXPECT_EQ(ParseWholeNumber(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }

    Store store("/nonexistent");
    EXPECT_EQ(store.NextBarcodeNumber(), "100000");
    for (const char* code : {"0", "-50", "12AB", ""})
        store.Data.SetCell(2, store.AppendItem(), code);
    EXPECT_EQ(store.NextBarcodeNumber(), "100000");
    for (const char* code : {"100000", "100010"}) store.Data.SetCell(2, store.AppendItem(), code);
    EXPECT_EQ(store.NextBarcodeNumber(), "100020");
}

TEST(StoreRules, RowOperationsCarryHistoriesAndQuantitiesAreWhole) {
    Store store("/nonexistent");
    for (int i = 1; i <= 3; ++i) {
        int row = store.AppendItem();
        store.Data.SetCell(1, row, "Item " + std::to_string(i));
        store.Data.SetCell(6, row, "10");
        store.History(row) =
            Entry("2026/01/0" + std::to_string(i), "Invoice Sale", std::to_string(i));
    }
    store.SwapItems(1, 3);
    EXPECT_EQ(store.Data.Cell(1, 1), "Item 3");
    EXPECT_EQ(store.History(1)[3], "3");
    EXPECT_EQ(store.History(3)[3], "1");

    store.ReorderItems(store.SortedOrder(1, true));
    EXPECT_EQ(store.Data.Cell(1, 1), "Item 1");
    EXPECT_EQ(store.History(1)[3], "1");

    store.RemoveItem(2);
    EXPECT_EQ(store.ItemCount(), 2);
    EXPECT_EQ(store.History(2)[3], "3");

    store.UpdateQuantity(1, "2.5");
    EXPECT_EQ(store.Data.Cell(6, 1), "8");  // 7.50 written as a whole number
    store.AddQuantity(1, "12");
    EXPECT_EQ(store.Data.Cell(6, 1), "20");
    store.UpdateQuantity(1, "-3");
    EXPECT_EQ(store.Data.Cell(6, 1), "23");
}

TEST(HistoryFile, UnchangedFilesAreNotRewritten) {
    TempFolder dir;
    std::vector<HistoryList> h(4);
    for (int r = 1; r <= 3; ++r)
        h[static_cast<std::size_t>(r)] =
            Entry("2026/01/0" + std::to_string(r), "Invoice Sale", "1");
    SaveItemHistory(dir.Folder(), h);

    HistoryDiskState disk;
    std::vector<HistoryList> loaded;
    LoadItemHistory(dir.Folder(), 3, loaded, &disk);
    auto inode = [&](const char* name) {
        struct stat st {};
        ::stat((dir.Folder() + name).c_str(), &st);
        return st.st_ino;
    };
    const auto one = inode("Item1.ihf"), two = inode("Item2.ihf");
    std::swap(loaded[2], loaded[3]);
    loaded.pop_back();  // the third item is gone
    SaveItemHistory(dir.Folder(), loaded, &disk);
    EXPECT_EQ(inode("Item1.ihf"), one);  // untouched
    EXPECT_NE(inode("Item2.ihf"), two);  // replaced
    EXPECT_EQ(dir.Read("Item2.ihf"), HistoryFileBytes(h[3]));
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"Item1.ihf", "Item2.ihf"}));

    // A file removed behind the program's back is written again.
    fs::remove(dir.path / "Item1.ihf");
    SaveItemHistory(dir.Folder(), loaded, &disk);
    EXPECT_EQ(dir.Read("Item1.ihf"), HistoryFileBytes(h[1]));
}
