// brenvik-data end to end: the built tool is run on small store folders and
// its output, exit status and written files are compared byte for byte.
#include "store/core/safefile.h"
#include "store/core/settings.h"
#include "store/core/stringtable.h"

#include "tools/tool_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace brenvik;

namespace {

// A 3 x 2 table file: widths 64, 30, 12; cells with a quote, a backslash, a
// TAB, a byte that is not UTF-8 (0xE9) and a valid UTF-8 "é".
const std::string kTableFile =
    "3,2\r\ncw 0,64\r\ncw 1,30\r\ncw 2,12\r\n"
    "0,0,Item\r\n1,0,Say \"hi\"\r\n2,0,a\\b\r\n"
    "0,1,P\xE9n\r\n2,1,caf\xC3\xA9\tx\r\n";
const std::string kTableJson =
    "{\"cols\":3,\"rows\":2,\"widths\":[64,30,12],\"cells\":["
    "[\"Item\",\"Say \\\"hi\\\"\",\"a\\\\b\"],"
    "[\"P\\u00e9n\",\"\",\"caf\xC3\xA9\\tx\"]]}\n";

}  // namespace

TEST_F(BrenvikData, HelpAndBadArguments) {
    Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: brenvik-data", 0), 0u);
    EXPECT_NE(help.out.find("demo DIR"), std::string::npos);
    EXPECT_NE(help.out.find("writes a sample store into DIR"), std::string::npos);

    Put("notes.txt", "x");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"dump"},
        {"dump", Path("a.dt2"), Path("b.dt2")},
        {"dump", Path("missing.dt2")},
        {"dump", Path("missing.csv")},
        {"convert", Path("notes.txt")},
        {"convert", Path("missing.dt2"), Path("out.csv")},
        {"settings"},
        {"settings", Path("no-such-folder")},
        {"settings", Path("notes.txt")},
        {"settings", dir_, "font=Arial"},
        {"settings", dir_, "header-bytes=3"},
        {"settings", dir_, "print-copies=two"},
        {"settings", dir_, "tax1-default=maybe"},
        {"settings", dir_, "next-invoice"},
        {"recompute", dir_},  // no inventory here
        {"recompute", Path("no-such-folder")},
        {"check", Path("no-such-folder")},
        {"check"},
    };
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        Result r = Run(args);
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        ASSERT_FALSE(r.err.empty()) << shown;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << shown << ": " << r.err;
    }
    // A rejected change writes nothing.
    EXPECT_FALSE(std::filesystem::exists(Path("settings.set")));
    EXPECT_FALSE(std::filesystem::exists(Path("out.csv")));
}

TEST_F(BrenvikData, DumpTableFileAndCsv) {
    Put("t.dt2", kTableFile);
    Result r = Run({"dump", Path("t.dt2")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kTableJson);

    // CSV: rows as long as the longest line, no widths; control bytes escaped.
    Put("t.csv", "a,\"1,5\",c\r\nonly\r\n\x01,\"\"\r\n");
    r = Run({"dump", Path("t.csv")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"cols\":3,\"rows\":3,\"cells\":[[\"a\",\"1,5\",\"c\"],[\"only\",\"\",\"\"],["
              "\"\\u0001\",\"\",\"\"]]}\n");
}

TEST_F(BrenvikData, DumpEscapesEveryInvalidByteOnItsOwn) {
    struct Case {
        std::string cell;
        std::string json;
    };
    const Case cases[] = {
        {"\xC3", "\\u00c3"},                                   // cut-short sequence
        {"\xC0\xAF", "\\u00c0\\u00af"},                        // overlong slash
        {"\xED\xA0\x80", "\\u00ed\\u00a0\\u0080"},             // surrogate
        {"\xF4\x90\x80\x80", "\\u00f4\\u0090\\u0080\\u0080"},  // beyond U+10FFFF
        {"\xE2\x82\xAC", "\xE2\x82\xAC"},                      // euro sign, valid
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},              // 4-byte, valid
        {"\x80x", "\\u0080x"},                                 // stray continuation
        {"\x7F\x1F", "\x7F\\u001f"},
    };
    for (const auto& c : cases) {
        Put("c.dt2", "1,1\r\ncw 0,64\r\n0,0," + c.cell + "\r\n");
        Result r = Run({"dump", Path("c.dt2")});
        EXPECT_EQ(r.out,
                  "{\"cols\":1,\"rows\":1,\"widths\":[64],\"cells\":[[\"" + c.json + "\"]]}\n")
            << c.json;
    }
}

TEST_F(BrenvikData, ConvertBothWays) {
    Put("t.dt2", kTableFile);
    Result r = Run({"convert", Path("t.dt2"), Path("t.csv")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(File("t.csv"), "Item,Say \"hi\",a\\b\r\nP\xE9n,\"\",caf\xC3\xA9\tx\r\n");

    Put("in.csv", "Name,Price\r\n\"Pen, blue\",1.50\r\n");
    r = Run({"convert", Path("in.csv"), Path("out.dt2")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        File("out.dt2"),
        "2,2\r\ncw 0,64\r\ncw 1,64\r\n0,0,Name\r\n1,0,Price\r\n0,1,Pen, blue\r\n1,1,1.50\r\n");
}

TEST_F(BrenvikData, SettingsShowAndChange) {
    Result r = Run({"settings", dir_});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"reserved\":\"\",\"next-invoice\":\"1\",\"logo\":\"\",\"header-bytes\":0,\"footer-"
        "bytes\":0,"
        "\"font\":{\"face\":\"MS Sans Serif\",\"height\":-11,\"charset\":\"DEFAULT_CHARSET\","
        "\"color\":\"clWindowText\",\"pitch\":\"fpDefault\",\"style\":[]},"
        "\"tax1-default\":false,\"tax2-default\":false,\"tax1-rate\":\"0\",\"tax2-rate\":\"0\","
        "\"tax1-name\":\"Tax One\",\"tax2-name\":\"Tax "
        "Two\",\"print-copies\":0,\"auto-barcode\":false}\n");

    // The font and texts the store wrote stay as they were.
    Settings stored;
    stored.header = "{\\rtf1 hi}";
    stored.font.style = FontBold | FontItalic;
    stored.font.color = 0x123456;
    stored.font.pitch = FontPitch::Fixed;
    Put("settings.set", SettingsFileBytes(stored));
    r = Run({"settings", dir_, "next-invoice=1043", "tax1-default=true", "tax2-rate=7.5",
             "tax2-name=P\xE9ST", "print-copies=2", "auto-barcode=1", "logo="});
    EXPECT_EQ(r.status, 0) << r.err;
    Settings expected = stored;
    expected.nextInvoice = "1043";
    expected.tax1Default = true;
    expected.tax2Rate = "7.5";
    expected.tax2Name = "P\xE9ST";
    expected.printCopies = 2;
    expected.autoBarcode = true;
    EXPECT_EQ(File("settings.set"), SettingsFileBytes(expected));
    EXPECT_EQ(File("settings2.set"), Settings2FileBytes(expected));

    r = Run({"settings", dir_});
    EXPECT_NE(r.out.find("\"header-bytes\":10,"), std::string::npos) << r.out;
    EXPECT_NE(
        r.out.find(
            "\"font\":{\"face\":\"MS Sans Serif\",\"height\":-11,\"charset\":\"DEFAULT_CHARSET\","
            "\"color\":1193046,\"pitch\":\"fpFixed\",\"style\":[\"fsBold\",\"fsItalic\"]}"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"tax2-name\":\"P\\u00e9ST\",\"print-copies\":2,\"auto-barcode\":true}"),
              std::string::npos)
        << r.out;
}

namespace {

std::string HistoryEntry(const std::string& quantity, const std::string& total) {
    return "2024/03/01\r\nInvoice Sale\r\n7\r\n" + quantity + "\r\n" + total + "\r\n\r\n";
}

// Two items; the derived columns (12 to 14) hold stale values.
StringTable SmallInventory() {
    StringTable data;
    data.SetSize(15, 3);
    const char* headings[] = {"Date Added",
                              "Item",
                              "Bar Code",
                              "Type",
                              "Cost",
                              "Sale Price",
                              "Quantity",
                              "Desired Quantity",
                              "Supplier",
                              "Location",
                              "Web ID",
                              "Description",
                              "Total Sold",
                              "Total Revenue",
                              "Required (Desired - Quantity)"};
    for (int c = 0; c < 15; ++c) data.SetCell(c, 0, headings[c]);
    data.SetCell(1, 1, "Pen");
    data.SetCell(6, 1, "4");
    data.SetCell(7, 1, "10");
    data.SetCell(12, 1, "99");
    data.SetCell(1, 2, "Ink");
    data.SetCell(6, 2, "3");
    data.SetCell(7, 2, "2");
    data.SetCell(13, 2, "$1.00");
    return data;
}

}  // namespace

TEST_F(BrenvikData, RecomputeDerivedFieldsFromHistories) {
    Put("Inventory.dt2", SmallInventory().TableFileBytes());
    Put("Item1.ihf", HistoryEntry("2", "3.00") + HistoryEntry("1.5", "2.25"));
    // Item2.ihf missing: an empty history.
    Result r = Run({"recompute", dir_});
    EXPECT_EQ(r.status, 0) << r.err;

    StringTable back;
    back.LoadTableFileBytes(File("Inventory.dt2"));
    ASSERT_EQ(back.RowCount(), 3);
    EXPECT_EQ(back.Cell(12, 1), "4");  // 3.5 sold, as a whole number
    EXPECT_EQ(back.Cell(13, 1), "$5.25");
    EXPECT_EQ(back.Cell(14, 1), "6");
    EXPECT_EQ(back.Cell(12, 2), "0");
    EXPECT_EQ(back.Cell(13, 2), "$0.00");
    EXPECT_EQ(back.Cell(14, 2), "-1");
    EXPECT_EQ(back.Cell(1, 2), "Ink");
    EXPECT_EQ(File("Item1.ihf"),
              HistoryEntry("2", "3.00") + HistoryEntry("1.5", "2.25"));  // untouched
}

TEST_F(BrenvikData, CheckReportsProblems) {
    Put("Inventory.dt2", SmallInventory().TableFileBytes());
    Put("Item1.ihf", HistoryEntry("1", "1.00"));
    Put("Item2.ihf", "");
    Result r = Run({"check", dir_});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "");

    Put("Item3.ihf", HistoryEntry("1", "1.00"));
    Put("Item0.ihf", "");
    Put("stray.ihf", "");
    StringTable invoices;
    invoices.SetSize(11, 10001);
    Put("Invoices.dt2", invoices.TableFileBytes());
    Put("settings.set", SettingsFileBytes(Settings()).substr(0, 40));
    std::filesystem::create_directory(Path("Customers.dt2"));
    r = Run({"check", dir_});
    EXPECT_EQ(r.status, 1) << r.err;
    const std::vector<std::string> expected = {
        "Customers.dt2: not a file",
        "Invoices.dt2: 10001 rows, more than the 10000 an invoice history holds",
        "Item0.ihf: history file without an item row (2 items)",
        "Item3.ihf: history file without an item row (2 items)",
        "stray.ihf: history file without an item row (2 items)",
        "settings.set: damaged, read only in part",
    };
    std::string joined;
    for (const auto& line : expected) joined += line + "\n";
    EXPECT_EQ(r.out, joined);
}

TEST_F(BrenvikData, DamagedInputNeverCrashes) {
    const std::vector<std::string> garbage = {
        std::string("\0\xFF\xFE\x1A junk", 9),
        "2147483647,2147483647\r\n",
        "-5,-7\r\ncw -1,99999999999\r\n99999999999,2,x\r\n",
        "1,1\r\n0,0,",
        std::string(3000, '"'),
    };
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        Put("g.dt2", garbage[i]);
        Put("g.csv", garbage[i]);
        Put("settings.set", garbage[i]);
        for (const char* name : {"g.dt2", "g.csv"}) {
            Result r = Run({"dump", Path(name)});
            EXPECT_TRUE(r.status == 0 || r.status == 2) << i << " " << name << ": " << r.err;
        }
        Result r = Run({"settings", dir_});
        EXPECT_EQ(r.status, 0) << i;
    }
}

TEST_F(BrenvikData, CheckReportsTableThatCannotBeOpened) {
    if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the super-user";
    Put("Inventory.dt2", SmallInventory().TableFileBytes());
    std::filesystem::permissions(Path("Inventory.dt2"), std::filesystem::perms::none);
    Result r = Run({"check", dir_});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Cannot open file " + Path("Inventory.dt2") + "\n");
    r = Run({"recompute", dir_});
    EXPECT_EQ(r.status, 1);  // refused: nothing written
}

TEST_F(BrenvikData, TablesAndHistoriesThatDoNotReadAreReportedAndNeverWrittenOver) {
    std::string random(2048, '\0');
    unsigned state = 12345;
    for (char& c : random) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
    for (const std::string& bytes : {random, std::string(2048, '\0')}) {
        Put("Inventory.dt2", bytes);
        Result r = Run({"check", dir_});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "Cannot open file " + Path("Inventory.dt2") +
                             ": it is not a table file (its first line is no size line)\n");
        r = Run({"recompute", dir_});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
        EXPECT_EQ(File("Inventory.dt2"), bytes);  // untouched
    }

    // A history that does not read: reported with its item, and recompute
    // would get that item's totals wrong, so it refuses too.
    Put("Inventory.dt2", SmallInventory().TableFileBytes());
    std::filesystem::create_directory(Path("Item2.ihf"));
    std::filesystem::create_directory(Path("Item5.ihf"));
    Put("ITEM1.IHF", HistoryEntry("1", "1.00"));  // read for the missing Item1.ihf
    Result r = Run({"check", dir_});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Cannot open file " + Path("Item2.ihf") +
                         ". The history of item 2 \"Ink\" is not shown. The file is kept as " +
                         Path("Item2.ihf") +
                         ".unreadable when the store is next saved.\n"
                         "Item5.ihf: history file without an item row (2 items)\n"
                         "Cannot open file " +
                         Path("Item5.ihf") + "\n");
    const std::string before = File("Inventory.dt2");
    r = Run({"recompute", dir_});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(File("Inventory.dt2"), before);
}
