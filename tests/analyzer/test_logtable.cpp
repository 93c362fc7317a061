// The analyzer's file reader: the same cells as the grid CSV reader for files
// with CR line ends, LF line ends for files without any CR, the byte-order
// mark, the split over cores, and the limits that keep odd input in bounds.
#include "analyzer/logtable.h"
#include "store/core/error.h"
#include "store/core/stringtable.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pellard;

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows CellsOf(const LogTable& t) {
    Rows out;
    for (int r = 0; r < t.RowCount(); ++r) {
        out.emplace_back();
        for (int c = 0; c < t.ColCount(); ++c) out.back().emplace_back(t.Cell(c, r));
    }
    return out;
}

Rows CellsOf(const brenvik::StringTable& t) {
    Rows out;
    for (int r = 0; r < t.RowCount(); ++r) {
        out.emplace_back();
        for (int c = 0; c < t.ColCount(); ++c) out.back().emplace_back(t.Cell(c, r));
    }
    return out;
}

Rows Read(std::string_view bytes) {
    LogTable t;
    t.LoadBytes(bytes);
    return CellsOf(t);
}

std::string WithEnds(std::string_view lines, std::string_view end) {
    std::string out;
    for (char c : lines) {
        if (c == '\n') out += end;
        else out += c;
    }
    return out;
}

}  // namespace

TEST(LogTable, CellsAsTheGridReaderGivesThem) {
    // The grid reader is the reference for files with CR line ends.
    // One line beyond 64 KB: offsets no longer fit 16 bits.
    const std::string wide = "a,b\n" + std::string(70000, 'x') + ",\"q\"\"\",z\n1,2\n";
    const std::string files[] = {
        wide,
        "Date,Name,Gross\n2001/01/30,Ann,10.00\n",
        "a,b,c\n1,2\n\n4,5,6,7\n",  // ragged and empty lines
        "a,b,\n,x,\n,,\n",          // trailing delimiters
        "Name,Note\n\"Smith, Ann\",\"He said \"\"hi\"\"\"\n",
        "a,b\n\"open,x\nx,\"closed\" extra,y\n",  // unterminated and trailing text
        "a\n\"\"\"\"\n\"q\"\n\"\n",               // quotes alone
        "\"x\",\"\",\"y\"\"\",plain\n",
        "no line end at all",
        "",
    };
    for (const std::string& lines : files) {
        brenvik::StringTable grid;
        const std::string crlf = WithEnds(lines, "\r\n");
        grid.LoadCSVBytes(crlf, ',');
        const Rows want = lines.empty() ? Rows{} : CellsOf(grid);
        EXPECT_EQ(Read(crlf), want) << lines;
        EXPECT_EQ(Read(WithEnds(lines, "\r")), want) << lines;
        // Downloads: LF only, and with a byte-order mark.
        EXPECT_EQ(Read(lines), want) << lines;
        EXPECT_EQ(Read("\xEF\xBB\xBF" + lines), want) << lines;
    }
}

TEST(LogTable, AnyCrKeepsTheCrRule) {
    // One CR anywhere: a lone LF is part of its line, as the store's files have it.
    EXPECT_EQ(Read("a\nb\r\nc,d\r\n"), (Rows{{"a\nb", ""}, {"c", "d"}}));
    EXPECT_EQ(Read("a,b\nc\n"), (Rows{{"a", "b"}, {"c", ""}}));
    // Byte 26 ends the file.
    EXPECT_EQ(Read("a\nb\x1A"
                   "c\n"),
              (Rows{{"a"}, {"b"}}));
}

TEST(LogTable, LargeFilesSplitOverCoresReadTheSame) {
    // Big enough for several parts; lines of every kind meet the part edges.
    std::string lines = "Date,Name,Gross,Note\n";
    for (int i = 0; lines.size() < (std::size_t{13} << 20); ++i) {
        lines += "2001/01/" + std::to_string(10 + i % 20) + ",N" + std::to_string(i) + "," +
                 std::to_string(i % 977) + ".25";
        if (i % 7 == 0) lines += ",\"note, with \"\"comma\"\"\"";
        if (i % 11 == 0) lines += ",";
        lines += "\n";
    }
    for (const char* end : {"\n", "\r\n"}) {
        const std::string bytes = WithEnds(lines, end);
        brenvik::StringTable grid;
        grid.LoadCSVBytes(WithEnds(lines, "\r\n"), ',');
        LogTable t;
        t.LoadBytes(bytes);
        ASSERT_EQ(t.RowCount(), grid.RowCount());
        ASSERT_EQ(t.ColCount(), grid.ColCount());
        int differ = 0;
        for (int r = 0; r < t.RowCount() && differ < 5; ++r)
            for (int c = 0; c < t.ColCount(); ++c)
                if (t.Cell(c, r) != grid.Cell(c, r)) {
                    ADD_FAILURE() << "row " << r << " col " << c << ": " << t.Cell(c, r);
                    ++differ;
                }
    }
}

TEST(LogTable, TellsUtf8FromTheCodePage) {
    const std::pair<const char*, bool> cases[] = {
        {"Name\nAnn\n", true},
        {"Name\nJos\xC3\xA9\n", true},  // é in UTF-8
        {"Name\nJos\xE9\n", false},     // é in the Western code page
        {"Gross\n\x80"
         "5\n",
         false},                          // € in the code page
        {"Name\n\xED\xA0\x80\n", false},  // an encoded surrogate is not UTF-8
        {"Name\n\xC3\n", false},          // cut short
    };
    for (auto [bytes, utf8] : cases) {
        LogTable t;
        t.LoadBytes(bytes);
        EXPECT_EQ(t.Utf8(), utf8) << bytes;
    }
}

TEST(LogTable, OddInputIsRefusedWithin) {
    test::TempFolder folder;
    auto message = [](auto&& load) -> std::string {
        try {
            load();
        } catch (const brenvik::StoreError& e) {
            return e.what();
        }
        return "read";
    };
    LogTable t;
    LoadLimits small;
    small.maxLine = 10;
    // The line is named, counting the heading line as 1.
    EXPECT_EQ(message([&] { t.LoadBytes("a,b\n1,2\n123456789012\n", small); }),
              "Line 3 of the file is longer than 10 bytes: this is not a transaction file.");
    EXPECT_EQ(message([&] { t.LoadBytes("a,b\n1,2\n1234567890\n", small); }), "read");
    // An endless device stops at the line limit.
    small.maxLine = std::size_t{1} << 20;
    EXPECT_NE(message([&] { t.Load("/dev/zero", small); }).find("Line 1 of /dev/zero is longer"),
              std::string::npos);
    // A file larger than the machine may hold is named with its size.
    folder.Write("big.csv", std::string(3 << 20, 'x'));
    LoadLimits tiny;
    tiny.maxBytes = 2 << 20;
    EXPECT_EQ(message([&] { t.Load(folder.File("big.csv"), tiny); }),
              folder.File("big.csv") +
                  " is 3.0 MB, more than the 2.0 MB this computer can hold in memory.");
    EXPECT_NE(message([&] { t.Load(folder.File("none.csv")); }).find("Cannot open file"),
              std::string::npos);
    EXPECT_NE(message([&] { t.Load(folder.Path()); }).find("Cannot open file"), std::string::npos);
}
