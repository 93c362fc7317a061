// The label text rules, the label data and "labset.set" files, and where
// labels and the barcode picture go.
#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/core/stream.h"
#include "store/customers/customers.h"
#include "store/labels/customerlabels.h"
#include "store/labels/labeldata.h"
#include "store/labels/labellayout.h"
#include "store/labels/labeltext.h"

#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace brenvik;
using namespace brenvik::length_literals;

namespace {

const std::vector<std::string> Record = {"Anna", "Smith", "12 High St", "Springfield", "IL"};

std::vector<std::string> Text(const std::vector<LabelEntry>& entries) {
    return GenerateLabelText(entries, [](int c) {
        return c < int(Record.size()) ? Record[std::size_t(c)] : std::string();
    });
}

const LabelEntry First{"First", 100}, Last{"Last", 110}, Street{"Street", 120}, City{"City", 130},
    State{"State", 140}, Space{"Space", TagSpace}, Comma{"Comma", TagComma},
    NewLine{"New Line", TagNewLine};

}  // namespace

TEST(LabelText, LinesFromEntries) {
    struct Case {
        const char* what;
        std::vector<LabelEntry> entries;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"empty content", {}, {""}},
        {"first column has no space after it", {First}, {"Anna"}},
        {"other columns are followed by a space", {Last, First}, {"Smith Anna"}},
        {"an address of three lines",
         {First, Last, NewLine, Street, NewLine, City, Comma, Space, State},
         {"AnnaSmith ", "12 High St ", "Springfield , IL "}},
        {"new line at the ends", {NewLine, Last, NewLine}, {"", "Smith ", ""}},
        {"an entry may repeat", {Comma, Comma, Space}, {",, "}},
        {"columns past the record are empty", {{"Col 15", 240}}, {" "}},
        {"unknown tags add nothing", {{"Odd", 105}, {"Odd", 5000}, Last}, {"Smith "}},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(c.entries), c.lines) << c.what;
}

TEST(LabelText, TagsAndMenu) {
    EXPECT_EQ(ColumnTag(0), 100);
    EXPECT_EQ(ColumnTag(1), 110);
    EXPECT_EQ(ColumnTag(14), 240);
    EXPECT_EQ(TagColumn(100), 0);
    EXPECT_EQ(TagColumn(210), 11);
    EXPECT_EQ(TagColumn(1000), -1);
    EXPECT_EQ(TagColumn(115), -1);

    std::vector<std::string> headings(17, "H");
    const auto menu = LabelMenuEntries(headings);
    ASSERT_EQ(menu.size(), 18u);  // only 15 columns have tags
    EXPECT_EQ(menu[14].tag, 240);
    EXPECT_EQ(menu[15], (LabelEntry{"Space", TagSpace}));
    EXPECT_EQ(menu[17], (LabelEntry{"New Line", TagNewLine}));
}

TEST(LabelText, FontSizeText) {
    const std::pair<const char*, int> cases[] = {
        {"12", 12}, {"8", 8},   {"10.5", 10},  {"", 10},   {"abc", 10},
        {"0", 10},  {"-4", 10}, {"99999", 10}, {"72", 72},
    };
    for (auto [text, points] : cases) EXPECT_EQ(LabelFontPoints(text), points) << text;
}

// ---------------------------------------------------------------- files

namespace {

LabelLayout Sample() {
    LabelLayout l;
    l.fontName = "Arial";
    l.fontSize = "12";
    l.color = 0x0000FF;  // red
    l.typeName = "L7160_Address";
    l.entries = {First, Last, NewLine, Street};
    return l;
}

}  // namespace

TEST(LabelFiles, BytesOfALabelDataFile) {
    LabelLayout l;
    l.fontName = "Ab";
    l.fontSize = "9";
    l.color = 0x123456;
    l.typeName = "T";
    l.entries = {{"X", 1200}};
    const std::string expected{
        "\x06\x02"
        "Ab"
        "\x06\x01"
        "9"
        "\x04\x56\x34\x12\x00"
        "\x06\x01"
        "T"
        "\x02\x01"
        "\x06\x01"
        "X"
        "\x03\xb0\x04",
        23};
    EXPECT_EQ(LayoutBytes(l, LayoutFile::LabelData), expected);
    // "labset.set" has no label type name.
    EXPECT_EQ(LayoutBytes(l, LayoutFile::LabelSettings),
              expected.substr(0, 12) + expected.substr(15));
}

TEST(LabelFiles, RoundTrip) {
    for (LayoutFile kind : {LayoutFile::LabelData, LayoutFile::LabelSettings}) {
        LabelLayout in = Sample();
        if (kind == LayoutFile::LabelSettings) in.typeName.clear();
        LabelLayout out;
        out.typeName.clear();
        ASSERT_TRUE(ReadLayout(LayoutBytes(in, kind), out, kind));
        EXPECT_EQ(out, in);
    }
}

TEST(LabelFiles, TruncatedOrDamagedKeepsWhatWasRead) {
    const std::string bytes = LayoutBytes(Sample(), LayoutFile::LabelData);
    LabelLayout before;
    before.fontName = "Old";
    before.fontSize = "8";
    before.color = 7;
    before.typeName = "Old type";
    before.entries = {Comma};

    // Cut after the font name: the font name is new, the rest stays.
    LabelLayout l = before;
    EXPECT_FALSE(ReadLayout(bytes.substr(0, 7), l, LayoutFile::LabelData));
    EXPECT_EQ(l.fontName, "Arial");
    EXPECT_EQ(l.fontSize, "8");
    EXPECT_EQ(l.entries, before.entries);

    // Cut inside the entries: the list was cleared and holds those read.
    l = before;
    EXPECT_FALSE(ReadLayout(bytes.substr(0, bytes.size() - 3), l, LayoutFile::LabelData));
    EXPECT_EQ(l.typeName, "L7160_Address");
    EXPECT_EQ(l.entries, (std::vector<LabelEntry>{First, Last, NewLine}));

    // Every shorter prefix fails without throwing.
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        LabelLayout p = before;
        EXPECT_FALSE(ReadLayout(bytes.substr(0, n), p, LayoutFile::LabelData)) << n;
    }

    // A wrong value type, a negative count and a count past the data.
    struct Case {
        const char* what;
        std::string bytes;
    };
    StreamWriter negative;
    negative.WriteString("A");
    negative.WriteString("9");
    negative.WriteInteger(0);
    negative.WriteString("T");
    negative.WriteInteger(-1);
    StreamWriter huge;
    huge.WriteString("A");
    huge.WriteString("9");
    huge.WriteInteger(0);
    huge.WriteString("T");
    huge.WriteInteger(2000000000);
    const Case cases[] = {
        {"integer where the name should be", std::string("\x02\x05", 2)},
        {"text that is no stream", "Label data"},
        {"negative count", negative.Bytes()},
        {"count past the data", huge.Bytes()},
    };
    for (const Case& c : cases) {
        LabelLayout p = before;
        EXPECT_FALSE(ReadLayout(c.bytes, p, LayoutFile::LabelData)) << c.what;
    }
}

TEST(LabelFiles, SettingsFileClearsTheListFirst) {
    LabelLayout l;
    l.entries = {Comma};
    EXPECT_FALSE(ReadLayout("", l, LayoutFile::LabelSettings));
    EXPECT_TRUE(l.entries.empty());
    EXPECT_EQ(l.fontName, "System");
    EXPECT_EQ(l.fontSize, "10");
}

TEST(LabelFiles, SavedSafely) {
    test::TempFolder dir;
    const std::string path = dir.File("a.dld");
    SaveLayout(path, Sample(), LayoutFile::LabelData, LabelDataNotSaved);
    EXPECT_EQ(test::ReadBytes(path), LayoutBytes(Sample(), LayoutFile::LabelData));
    // A folder that does not exist: the message, and no file.
    EXPECT_THROW(
        {
            try {
                SaveLayout(dir.File("no/such/a.dld"), Sample(), LayoutFile::LabelData,
                           LabelDataNotSaved);
            } catch (const StoreError& e) {
                EXPECT_STREQ(e.what(), LabelDataNotSaved);
                throw;
            }
        },
        StoreError);
    EXPECT_EQ(dir.Files(), QStringList({"a.dld"}));
}

// ---------------------------------------------------------------- layout

TEST(LabelLayout, StartPositionsAndPages) {
    const LabelSheetType& l7159 = *FindLabelSheetType("L7159_Address");  // 3 x 8
    struct Case {
        int column, row, count;
        int firstPosition, pages;
    };
    const Case cases[] = {
        {1, 1, 24, 1, 1},   // a full sheet is one page
        {1, 1, 25, 1, 2},   // one more starts a second
        {2, 3, 1, 8, 1},    // 7 positions left blank
        {3, 8, 2, 24, 2},   // last position, then the next sheet
        {9, 99, 1, 24, 1},  // kept within the sheet
        {1, 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        const int start = StartPosition(l7159, c.column, c.row);
        EXPECT_EQ(start, c.firstPosition) << c.column << "," << c.row;
        EXPECT_EQ(LabelPageCount(l7159, start, c.count), c.pages) << c.count;
        const auto placed = PlaceLabels(l7159, start, c.count);
        ASSERT_EQ(int(placed.size()), c.count);
        if (c.count == 0) continue;
        const LengthRect expected = l7159.Label(c.firstPosition);
        EXPECT_EQ(placed.front().box.left, expected.left);
        EXPECT_EQ(placed.front().box.top, expected.top);
        EXPECT_EQ(placed.back().page, c.pages - 1);
    }
    // The 25th label is the first position of page 2.
    const auto placed = PlaceLabels(l7159, 1, 25);
    EXPECT_EQ(placed[24].page, 1);
    EXPECT_EQ(placed[24].box.left, l7159.Label(1).left);
}

TEST(LabelLayout, PictureFit) {
    // A label 100 x 40 mm: inner area 80 x 28 mm from (10, 6).
    const LengthRect label{0_mm, 0_mm, 100_mm, 40_mm};
    const LengthRect area = BarcodeArea(label);
    EXPECT_NEAR(area.left.InMillimetres(), 10, 1e-9);
    EXPECT_NEAR(area.top.InMillimetres(), 6, 1e-9);
    EXPECT_NEAR(area.width.InMillimetres(), 80, 1e-9);
    EXPECT_NEAR(area.height.InMillimetres(), 28, 1e-9);

    struct Case {
        const char* what;
        LengthRect area;
        double w, h;
        double width, height;  // mm
    };
    const Case cases[] = {
        {"wide area: the width fits", {0_mm, 0_mm, 80_mm, 28_mm}, 257, 49, 80, 80 * 49.0 / 257},
        {"narrow high area: width", {0_mm, 0_mm, 20_mm, 50_mm}, 257, 49, 20, 20 * 49.0 / 257},
        {"flat area: the height fits", {0_mm, 0_mm, 80_mm, 5_mm}, 257, 49, 5 * 257.0 / 49, 5},
        {"tall picture, tall area", {0_mm, 0_mm, 30_mm, 60_mm}, 49, 257, 60 * 49.0 / 257, 60},
        {"tall picture, thin area", {0_mm, 0_mm, 5_mm, 60_mm}, 49, 257, 5, 5 * 257.0 / 49},
        {"square picture", {0_mm, 0_mm, 30_mm, 20_mm}, 10, 10, 20, 20},
    };
    for (const Case& c : cases) {
        const LengthRect r = FitPicture(c.area, c.w, c.h);
        EXPECT_NEAR(r.width.InMillimetres(), c.width, 1e-9) << c.what;
        EXPECT_NEAR(r.height.InMillimetres(), c.height, 1e-9) << c.what;
        EXPECT_EQ(r.left, c.area.left);
        EXPECT_EQ(r.top, c.area.top);
        EXPECT_LE(r.width, c.area.width + 1e-9_mm) << c.what;
        EXPECT_LE(r.height, c.area.height + 1e-9_mm) << c.what;
    }
}

TEST(LabelCustomers, WhichCustomers) {
    StringTable table;
    table.SetSize(3, 5);
    const char* rows[][3] = {{"First", "Last", "City"},
                             {"Anna", "Smith", "Oslo"},
                             {"", "", ""},
                             {"Ben", "Jones", ""},
                             {"Cleo", "", ""}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c) table.SetCell(c, r, rows[r][c]);
    CustomerList list;
    list.GridToList(table);
    list.SetChecked(2, true);
    list.SetChecked(3, true);

    EXPECT_EQ(LabelItems(list, LabelRecordMode::Selected, 2), (std::vector<int>{2}));
    EXPECT_EQ(LabelItems(list, LabelRecordMode::Selected, -1), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(LabelItems(list, LabelRecordMode::All, 0), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(LabelItems(list, LabelRecordMode::Checked, 0), (std::vector<int>{2, 3}));
    EXPECT_EQ(ListHeadings(list), (std::vector<std::string>{"First", "Last", "City"}));
    EXPECT_EQ(CustomerLabelTexts(list, {2, 0}, {Last, First}),
              (std::vector<std::vector<std::string>>{{"Jones Ben"}, {"Smith Anna"}}));
}
