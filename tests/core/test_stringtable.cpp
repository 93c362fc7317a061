#include "store/core/stringtable.h"

#include "store/core/error.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace brenvik;
namespace fs = std::filesystem;

namespace {

using Row = std::vector<std::string>;

// The cells of a table, row by row.
std::vector<Row> Cells(const StringTable& t) {
    std::vector<Row> out;
    for (int r = 0; r < t.RowCount(); ++r) {
        Row row;
        for (int c = 0; c < t.ColCount(); ++c) row.push_back(t.CellText(c, r));
        out.push_back(row);
    }
    return out;
}

StringTable Make(const std::vector<Row>& rows, int width = 64) {
    StringTable t(width);
    std::size_t cols = 1;
    for (const auto& r : rows) cols = std::max(cols, r.size());
    t.SetSize(static_cast<int>(cols), static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            t.SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    return t;
}

std::string ReadFile(const std::string& path) {
    std::string out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return "<missing>";
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
    return out;
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

class TableFiles : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("stringtable_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    fs::path dir_;
};

}  // namespace

// ------------------------------------------------------------ the table itself

TEST(StringTable, SizesCellsAndWidths) {
    StringTable t(128);
    EXPECT_EQ(t.ColCount(), 1);
    EXPECT_EQ(t.RowCount(), 1);
    t.SetSize(0, -5);
    EXPECT_EQ(t.ColCount(), 1);
    EXPECT_EQ(t.RowCount(), 1);

    t.SetSize(3, 2);
    t.SetCell(0, 0, "a");
    t.SetCell(2, 1, "z");
    t.SetCell(3, 0, "out");   // ignored
    t.SetCell(-1, 0, "out");  // ignored
    t.SetColWidth(2, 40);
    EXPECT_EQ(t.Cell(0, 0), "a");
    EXPECT_EQ(t.Cell(7, 7), "");
    EXPECT_EQ(t.ColWidth(0), 128);

    t.SetColCount(2);  // column 2 and its width go
    t.SetColCount(3);
    EXPECT_EQ(t.Cell(2, 1), "");
    EXPECT_EQ(t.ColWidth(2), 128);
    t.SetCell(2, 1, "z");
    t.SetRowCount(1);
    t.SetRowCount(2);
    EXPECT_EQ(t.Cell(2, 1), "");
    EXPECT_EQ(t.Cell(0, 0), "a");
}

TEST(StringTable, RowOperationsMoveCellsAndTags) {
    StringTable t = Make({{"h0", "h1"}, {"a", "1"}, {"b", "2"}, {"c", "3"}});
    t.SetTag(0, 1, 10);
    t.SetTag(1, 3, 30);

    t.MoveRow(1, 3);
    EXPECT_EQ(Cells(t), (std::vector<Row>{{"h0", "h1"}, {"b", "2"}, {"c", "3"}, {"a", "1"}}));
    EXPECT_EQ(t.Tag(0, 3), 10);
    EXPECT_EQ(t.Tag(1, 2), 30);
    t.MoveRow(3, 1);
    EXPECT_EQ(t.Cell(0, 1), "a");
    EXPECT_EQ(t.Tag(0, 1), 10);

    t.InsertRow(2);
    EXPECT_EQ(Cells(t),
              (std::vector<Row>{{"h0", "h1"}, {"a", "1"}, {"", ""}, {"b", "2"}, {"c", "3"}}));
    EXPECT_EQ(t.Tag(1, 4), 30);
    t.InsertRow(t.RowCount());
    EXPECT_EQ(t.RowCount(), 6);

    t.DeleteRow(1);
    EXPECT_EQ(t.Cell(0, 2), "b");
    EXPECT_EQ(t.Tag(0, 1), 0);
    EXPECT_EQ(t.Tag(1, 3), 30);

    StringTable one = Make({{"x", "y"}});
    one.SetTag(0, 0, 5);
    one.DeleteRow(0);  // the only row is emptied, never removed
    EXPECT_EQ(one.RowCount(), 1);
    EXPECT_EQ(one.Cell(0, 0), "");
    EXPECT_EQ(one.Tag(0, 0), 0);
}

TEST(StringTable, ArenaStaysCompactUnderRewrites) {
    StringTable t;
    t.SetSize(10, 100);
    for (int round = 0; round < 50; ++round)
        for (int r = 0; r < 100; ++r)
            for (int c = 0; c < 10; ++c)
                t.SetCell(
                    c, r,
                    std::string(20 + (round + r + c) % 30, static_cast<char>('a' + round % 26)));
    EXPECT_EQ(t.Cell(3, 7), std::string(20 + (49 + 7 + 3) % 30, 'a' + 49 % 26));
    EXPECT_LT(t.MemoryUsed(), 200000u);

    // A cell set from a view of the table itself.
    t.SetCell(0, 0, "hello world");
    t.SetCell(1, 0, t.Cell(0, 0));
    t.SetCell(0, 0, t.Cell(0, 0).substr(6));
    EXPECT_EQ(t.Cell(0, 0), "world");
    EXPECT_EQ(t.Cell(1, 0), "hello world");
    t.ClearCells();
    EXPECT_EQ(t.Cell(1, 0), "");
    EXPECT_EQ(t.ColCount(), 10);
}

TEST(StringTable, LargeTablesKeepTheirCells) {
    // Large enough for cells and text to leave ordinary heap blocks, with the
    // same operations applied to a plain model.
    std::vector<Row> model;
    StringTable t;
    t.SetColCount(3);
    for (int r = 0; r < 100000; ++r) {
        Row row = {"", "", ""};
        row[static_cast<std::size_t>(r % 3)] = "v" + std::to_string(r) + " with some padding";
        t.SetRowCount(r + 1);
        t.SetCell(r % 3, r, row[static_cast<std::size_t>(r % 3)]);
        model.push_back(row);
    }
    t.InsertRow(10);
    model.insert(model.begin() + 10, Row{"", "", ""});
    t.DeleteRow(70000);
    model.erase(model.begin() + 70000);
    t.MoveRow(5, 99000);
    std::rotate(model.begin() + 5, model.begin() + 6, model.begin() + 99001);
    // Rewriting from the bottom up leaves the text out of cell order.
    for (int r = t.RowCount() - 1; r >= 0; r -= 2) {
        std::string text = "w" + std::to_string(r) + "-longer-than-before";
        t.SetCell(1, r, text);
        model[static_cast<std::size_t>(r)][1] = text;
    }
    StringTable copy = t;
    copy.SetCell(0, 0, "changed");
    EXPECT_EQ(Cells(t), model);
    EXPECT_EQ(copy.Cell(0, 0), "changed");

    StringTable fromTable;
    fromTable.LoadTableFileBytes(t.TableFileBytes());
    EXPECT_EQ(Cells(fromTable), model);
    StringTable fromCSV;
    fromCSV.LoadCSVBytes(t.CSVBytes());
    EXPECT_EQ(Cells(fromCSV), model);
    EXPECT_LT(fromTable.MemoryUsed(), 2 * t.MemoryUsed());
}

// ------------------------------------------------------------ table file

TEST(TableFormat, WritesTheDocumentedLayout) {
    StringTable t = Make({{"Item", "Price"}, {"Pen", ""}});
    EXPECT_EQ(t.TableFileBytes(),
              "2,2\r\ncw 0,64\r\ncw 1,64\r\n0,0,Item\r\n1,0,Price\r\n0,1,Pen\r\n");

    StringTable headings(64);
    headings.SetSize(15, 1);
    headings.SetCell(0, 0, "Name");
    headings.SetCell(14, 0, "Notes");
    headings.SetColWidth(3, 100);
    std::string expected = "15,1\r\n";
    for (int c = 0; c < 15; ++c)
        expected += "cw " + std::to_string(c) + "," + (c == 3 ? "100" : "64") + "\r\n";
    expected += "0,0,Name\r\n14,0,Notes\r\n";
    EXPECT_EQ(headings.TableFileBytes(), expected);
}

TEST(TableFormat, LineBreakEncoding) {
    struct Case {
        std::string value, written, loaded;
    };
    const std::vector<Case> cases = {
        {"a\r\nb", "a\t\bb", "a"},  // only the first line comes back
        {"a\r\n\r\nb\r\nc", "a\t\b\t\bb\t\bc", "a"},
        {"a\tb", "a\tb", "a\tb"},  // TAB without CR is not encoded
        {"a\nb", "a\nb", "a\nb"},  // neither is a lone LF
        {"a\rb", "a\tb", "a\tb"},  // no BS, so nothing is decoded
        {"x,\"y\",z", "x,\"y\",z", "x,\"y\",z"},
        {"p\bq\tr", "p\bq\tr", "p\nq"},  // a BS of its own turns decoding on
        {"a\x1a"
         "b",
         "a b", "a b"},  // Ctrl-Z would end the file
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.value));
        StringTable t = Make({{c.value}});
        std::string bytes = t.TableFileBytes();
        EXPECT_EQ(bytes, "1,1\r\ncw 0,64\r\n0,0," + c.written + "\r\n");
        StringTable back;
        back.LoadTableFileBytes(bytes);
        EXPECT_EQ(back.Cell(0, 0), c.loaded);
    }
}

TEST(TableFormat, LoadingSetsOnlyWhatTheFileNames) {
    StringTable t = Make({{"keep", "old"}, {"keep2", "old2"}});
    t.SetTag(1, 1, 77);
    t.LoadTableFileBytes(
        "3,2\r\n"
        "cw 0,10\r\ncw 2,30\r\ncw 9,99\r\n"
        "1,0,new\r\n"
        "1,1,a,b,c\r\n"      // the value runs to the end of the line
        "5,0,outside\r\n"    // ignored: no such column
        "0,2,outside\r\n");  // ignored: no such row
    EXPECT_EQ(Cells(t), (std::vector<Row>{{"keep", "new", ""}, {"keep2", "a,b,c", ""}}));
    EXPECT_EQ(t.ColWidth(0), 10);
    EXPECT_EQ(t.ColWidth(1), 64);
    EXPECT_EQ(t.ColWidth(2), 30);
    EXPECT_EQ(t.Tag(1, 1), 77);  // tags are never touched by loading

    // An empty size line keeps the size.
    t.LoadTableFileBytes("\r\n2,1,z\r\n");
    EXPECT_EQ(t.ColCount(), 3);
    EXPECT_EQ(t.Cell(2, 1), "z");
    // Saving ignores tags.
    EXPECT_EQ(t.TableFileBytes().find("77"), std::string::npos);
}

TEST(TableFormat, MalformedFilesAreReadLeniently) {
    struct Case {
        std::string bytes;
        int cols, rows;
        std::vector<std::pair<std::pair<int, int>, std::string>> cells;
    };
    const std::vector<Case> cases = {
        {"99999999,99999999\r\n", 1, 1, {}},
        {"99999999,99999999\r\n0,5,x\r\ncw 2,10\r\n", 3, 6, {{{0, 5}, "x"}}},
        {"99999999999999999999,3\r\n0,2,x\r\n", 1, 3, {{{0, 2}, "x"}}},
        {"3x,2y\r\n2,1,ok\r\n", 3, 2, {{{2, 1}, "ok"}}},
        {" 2 , 2\r\n1,1,ok\r\n", 2, 2, {{{1, 1}, "ok"}}},
        {"-4,0\r\n0,0,a\r\n", 1, 1, {{{0, 0}, "a"}}},
        {"2,2\r\ncw\r\ncw ,5\r\ncwx\r\n0\r\n0,\r\n,0,x\r\n-1,0,x\r\n1,-1,x\r\nq,1,x\r\n1,1,ok",
         2,
         2,
         {{{1, 1}, "ok"}, {{0, 0}, ""}}},
        {"2,2\r\n0,0,a\x1a\r\n1,1,b\r\n", 2, 2, {{{0, 0}, "a"}, {{1, 1}, ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        StringTable t;
        t.LoadTableFileBytes(c.bytes);
        EXPECT_EQ(t.ColCount(), c.cols);
        EXPECT_EQ(t.RowCount(), c.rows);
        for (const auto& [at, text] : c.cells) EXPECT_EQ(t.Cell(at.first, at.second), text);
    }
}

TEST(TableFormat, AFileWhoseFirstLineIsNoSizeLineDoesNotRead) {
    std::mt19937 rng(7);
    std::string random(4096, '\0');
    for (char& c : random) c = static_cast<char>(rng());
    const std::vector<std::string> cases = {
        random,
        std::string(4096, '\0'),
        "abc,def\r\n0,0,a\r\n",
        "3\r\n0,0,a\r\n",  // no comma
        std::string("2,\0"
                    "2\r\n0,0,a\r\n",
                    10),
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 16)));
        StringTable t = Make({{"keep", "old"}});
        EXPECT_THROW(t.LoadTableFileBytes(bytes), StoreError);
        EXPECT_EQ(Cells(t), (std::vector<Row>{{"keep", "old"}}));
    }
    // An empty file is an empty table, as written by no one but harmless.
    StringTable t = Make({{"keep"}});
    t.LoadTableFileBytes("");
    EXPECT_EQ(Cells(t), (std::vector<Row>{{"keep"}}));
}

TEST(TableFormat, CellLinesFarOutAreCutAtTheLimit) {
    const std::string bytes = "2147483647,2147483647\r\n1,2147483646,far\r\n0,0,near\r\n";
    StringTable t;
    t.LoadTableFileBytes(bytes);
    EXPECT_EQ(t.ColCount(), 2);
    EXPECT_EQ(static_cast<std::size_t>(t.RowCount()), StringTable::LoadCellLimit(bytes.size()) / 2);
    EXPECT_EQ(t.Cell(0, 0), "near");
    EXPECT_EQ(t.Cell(1, t.RowCount() - 1), "");
}

TEST(TableFormat, DeclaredBlankRowsWithinReasonAreKept) {
    // Purged tables keep blank rows that no cell line names.
    StringTable t(128);
    t.LoadTableFileBytes("11,10000\r\n0,0,Invoice\r\n");
    EXPECT_EQ(t.ColCount(), 11);
    EXPECT_EQ(t.RowCount(), 10000);
}

TEST(TableFormat, GarbageNeverCrashesOrBalloons) {
    std::mt19937 rng(12345);
    const std::string good =
        Make({{"Item", "Price", "Qty"}, {"Pen", "1.50", "10"}, {"Ink\r\nblue", "", "x,y"}})
            .TableFileBytes();
    // Every truncation of a good file.
    // A load may refuse (StoreError); it never crashes or balloons.
    const auto load = [](StringTable& t, std::string_view bytes, bool csv) {
        try {
            if (csv) t.LoadCSVBytes(bytes);
            else t.LoadTableFileBytes(bytes);
        } catch (const StoreError&) {}
    };
    for (std::size_t n = 0; n <= good.size(); ++n) {
        StringTable t;
        load(t, std::string_view(good).substr(0, n), false);
        EXPECT_LE(t.ColCount() * t.RowCount(), 9);
    }
    // Random bytes, and good files with random bytes flipped.
    const std::string alphabet = "0123456789,,,\r\n\r\n\t\b\"cw 9-\x1a";
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = round % 2 ? good : std::string();
        std::size_t len = round % 2 ? bytes.size() : rng() % 200;
        bytes.resize(len);
        for (std::size_t i = 0; i < len; ++i)
            if (round % 2 == 0 || rng() % 8 == 0) bytes[i] = alphabet[rng() % alphabet.size()];
        StringTable t;
        load(t, bytes, false);
        EXPECT_LE(t.MemoryUsed(), 8 * StringTable::LoadCellLimit(bytes.size()) + (1 << 20));
        StringTable csv;
        load(csv, bytes, true);
        EXPECT_LE(csv.MemoryUsed(), 8 * StringTable::LoadCellLimit(bytes.size()) + (1 << 20));
    }
}

// ------------------------------------------------------------ CSV

TEST(CSVFormat, WritesCellsByTheQuoteRules) {
    StringTable t = Make({{"Item", "", "1,5"}, {"say \"hi\"", "two\r\nlines", "a,\r\nb\r\n"}});
    EXPECT_EQ(t.CSVBytes(),
              "Item,\"\",\"1,5\"\r\n"
              "say \"hi\",two\r\nlines,\"a,\nb\n\"\r\n");
    EXPECT_EQ(Make({{""}}).CSVBytes(), "\"\"\r\n");
}

TEST(CSVFormat, ReadsFieldsByTheQuoteRules) {
    struct Case {
        std::string line;
        Row cells;
    };
    const std::vector<Case> cases = {
        {"a,,b", {"a", "", "b"}},
        {"a,b,", {"a", "b"}},
        {"\"\",x", {"", "x"}},
        {"x,\"\"", {"x", ""}},
        {"x,\"\",y", {"x", "", "y"}},
        {"\"1,5\"", {"1,5"}},
        {"\"1\" word,other\"", {"1", "other"}},  // the inner quote closes the field
        {"\"a\"\"b\",c", {"a\"b", "c"}},
        {"c,\"a\"\"b\"", {"c", "a\"b"}},
        {"a\"b,c\"\"d", {"a\"b", "c\"d"}},  // unquoted: kept, except in the last field
        {"\"abc,def", {"", "def"}},         // no closing quote: an empty field
        {"\"", {""}},
        {"\"a,b\"xyz,c", {"a,b", "c"}},  // text after the closing quote is dropped
        {"\"a,b\"xyz", {"a,b", "xyz"}},  // ...unless no delimiter follows
        {"x\ny,z", {"x\r\ny", "z"}},     // LF becomes CR LF
        {"\"p\nq,r\"", {"p\r\nq,r"}},
        {"", {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.line));
        StringTable t;
        t.LoadCSVBytes(c.line + "\r\n");
        ASSERT_EQ(t.RowCount(), 1);
        EXPECT_EQ(Cells(t)[0], c.cells);
    }
}

TEST(CSVFormat, SizesFollowTheLines) {
    StringTable t;
    t.LoadCSVBytes("a\r\nb,c,d\r\ne,f");
    EXPECT_EQ(t.ColCount(), 3);
    EXPECT_EQ(t.RowCount(), 3);
    EXPECT_EQ(Cells(t), (std::vector<Row>{{"a", "", ""}, {"b", "c", "d"}, {"e", "f", ""}}));

    // Cells the lines do not reach keep their values; ColCount never shrinks,
    // RowCount becomes the line count.
    StringTable wide = Make({{"1", "2", "3", "4"}, {"5", "6", "7", "8"}, {"9", "9", "9", "9"}});
    wide.SetTag(3, 0, 4);
    wide.LoadCSVBytes("x,y\r\n\"\"\r\n");
    EXPECT_EQ(Cells(wide), (std::vector<Row>{{"x", "y", "3", "4"}, {"", "6", "7", "8"}}));
    EXPECT_EQ(wide.Tag(3, 0), 4);

    StringTable empty;
    empty.LoadCSVBytes("");
    EXPECT_EQ(empty.RowCount(), 1);
    empty.LoadCSVBytes(
        "\x1a"
        "a,b\r\n");
    EXPECT_EQ(empty.ColCount(), 1);
}

TEST(CSVFormat, RoundTrips) {
    const std::vector<Row> rows = {
        {"Item", "Price", "Notes"},
        {"Pen", "1,50", ""},
        {"", "say \"hi\"", "tab\there"},
        {"a,\r\nb", "x", "last"},
    };
    StringTable back;
    back.LoadCSVBytes(Make(rows).CSVBytes());
    EXPECT_EQ(Cells(back), rows);

    // The writer does not double inner quotes, so this value splits.
    StringTable split;
    split.LoadCSVBytes(Make({{"1\" word,other"}}).CSVBytes());
    EXPECT_EQ(Cells(split), (std::vector<Row>{{"1", "other"}}));
}

TEST(CSVFormat, RefusesATableTooLargeForItsFile) {
    // One line of many delimiters and many empty lines would span a table far
    // larger than the file.
    std::string bytes(100000, ',');
    bytes += "x";
    for (int i = 0; i < 100000; ++i) bytes += "\r\n";
    StringTable t = Make({{"keep"}});
    try {
        t.LoadCSVBytes(bytes);
        FAIL() << "expected a StoreError";
    } catch (const StoreError& e) {
        // What was too large, and the limit it passed.
        EXPECT_EQ(std::string(e.what()),
                  "Cannot load the text: its lines span 100001 columns and 100000 rows, more "
                  "than the " +
                      std::to_string(StringTable::CSVCellLimit(bytes.size())) +
                      " cells a table can hold.");
    }
    EXPECT_EQ(Cells(t), (std::vector<Row>{{"keep"}}));
}

TEST(CSVFormat, ASparseFileOfAFewHundredKilobytesLoads) {
    // A wide heading line over many short lines: 150 KB spanning 1500 x 30001
    // cells, 45 million in all.
    std::string bytes(1499, ',');
    bytes += "last\r\n";
    for (int i = 0; i < 30000; ++i) bytes += "a,b\r\n";
    ASSERT_LT(bytes.size(), 200000u);
    StringTable t;
    t.LoadCSVBytes(bytes);
    EXPECT_EQ(t.ColCount(), 1500);
    EXPECT_EQ(t.RowCount(), 30001);
    EXPECT_EQ(t.Cell(1499, 0), "last");
    EXPECT_EQ(t.Cell(1, 30000), "b");
}

// ------------------------------------------------------------ files

TEST_F(TableFiles, SaveAndLoadThroughFiles) {
    const std::vector<Row> rows = {{"Item", "Price"}, {"Pen", "1,50"}, {"", "x\"y"}};
    StringTable t = Make(rows, 128);
    t.SetColWidth(1, 90);
    t.SaveToFile(Path("Inventory.dt2"));
    t.SaveToCSV(Path("out.csv"));
    EXPECT_EQ(ReadFile(Path("Inventory.dt2")), t.TableFileBytes());
    EXPECT_EQ(ReadFile(Path("out.csv")), t.CSVBytes());

    StringTable a(128);
    a.LoadFromFile(Path("Inventory.dt2"));
    EXPECT_EQ(Cells(a), rows);
    EXPECT_EQ(a.ColWidth(1), 90);
    StringTable b;
    b.LoadFromCSV(Path("out.csv"));
    EXPECT_EQ(Cells(b), rows);

    // Loading into a table that already holds text keeps it where not named.
    StringTable c = Make({{"old", "old"}, {"old", "old"}, {"old", "old"}, {"old", "old"}});
    c.LoadFromFile(Path("Inventory.dt2"));
    EXPECT_EQ(Cells(c), (std::vector<Row>{{"Item", "Price"}, {"Pen", "1,50"}, {"old", "x\"y"}}));
    EXPECT_EQ(FileCount(), 2u);  // no temporary files left behind
}

TEST_F(TableFiles, FailuresCarryTheirMessages) {
    StringTable t = Make({{"a"}});
    const std::string missing = Path("nothing.dt2");
    const std::string underFile = Path("plain/x.dt2");
    WriteFile(Path("plain"), "not a folder");

    auto message = [](auto&& f) {
        try {
            f();
        } catch (const StoreError& e) {
            return std::string(e.what());
        }
        return std::string("<no error>");
    };
    EXPECT_EQ(message([&] { t.LoadFromFile(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(message([&] { t.LoadFromCSV(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(message([&] { t.LoadFromFile(dir_.string()); }), "Cannot open file " + dir_.string());
    EXPECT_EQ(message([&] { t.SaveToFile(underFile); }), "Cannot create " + underFile);
    EXPECT_EQ(message([&] { t.SaveToCSV(underFile); }), "Cannot create file " + underFile);
    const std::string zeros = Path("zeros.dt2");
    WriteFile(zeros, std::string(64, '\0'));
    EXPECT_EQ(
        message([&] { t.LoadFromFile(zeros); }),
        "Cannot open file " + zeros + ": it is not a table file (its first line is no size line)");
    EXPECT_EQ(Cells(t), (std::vector<Row>{{"a"}}));
}

TEST_F(TableFiles, FailedSaveLeavesTheOldFile) {
    const std::string path = Path("Inventory.dt2");
    WriteFile(path, "old content");
    StringTable big;
    big.SetSize(10, 20000);
    for (int r = 0; r < 20000; ++r)
        for (int c = 0; c < 10; ++c) big.SetCell(c, r, "some text for the cell");

    // A file size limit makes the writes fail part way, as a full disk does
    // (and unlike permissions, it holds for root too).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &small);
    std::string tableError, csvError;
    try {
        big.SaveToFile(path);
    } catch (const StoreError& e) {
        tableError = e.what();
    }
    try {
        big.SaveToCSV(path);
    } catch (const StoreError& e) {
        csvError = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(tableError, "Cannot create " + path);
    EXPECT_EQ(csvError, "Cannot create file " + path);
    EXPECT_EQ(ReadFile(path), "old content");
    EXPECT_EQ(FileCount(), 1u);
}
