// Import rules: reading files as stores have them, assigning columns, and
// filling the table without writing over a record.
#include "store/core/fields.h"
#include "store/core/stringtable.h"
#include "store/reports/import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brenvik;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// The file's records, each as many cells as the grid has columns.
Rows Cells(const ImportFile& f) {
    Rows rows;
    for (int r = 1; r <= f.Records(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < f.Columns(); ++c) row.push_back(f.grid.CellText(c, r));
        rows.push_back(row);
    }
    return rows;
}

StringTable Customers(int rows = 1) {
    StringTable t;
    SetupCustomerGrid(t);
    t.SetRowCount(rows);
    return t;
}

// Customers with "Last Name" and "City" filled in rows 1.. except `blank`.
StringTable CustomersWithGaps(int rows, std::vector<int> blank) {
    StringTable t = Customers(rows);
    for (int r = 1; r < rows; ++r) {
        if (std::find(blank.begin(), blank.end(), r) != blank.end()) continue;
        t.SetCell(1, r, "Old" + std::to_string(r));
    }
    return t;
}

constexpr int kLast = 1, kFirst = 2, kCity = 4;

}  // namespace

TEST(ImportRead, FilesAsStoresHaveThem) {
    struct Case {
        const char* name;
        std::string bytes;
        Rows cells;
        std::vector<int> lines;  // where each record starts
    };
    const std::string cafe = "caf\xC3\xA9";  // UTF-8
    const std::vector<Case> cases = {
        {"CR LF", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"LF only", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"no line end at the end", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"byte-order mark", "\xEF\xBB\xBFName,City\r\n", {{"Name", "City"}}, {1}},
        {"UTF-8 kept", "caf\xC3\xA9,x\n", {{cafe, "x"}}, {1}},
        {"code page made UTF-8", "caf\xE9,x\r\n", {{cafe, "x"}}, {1}},
        {"euro sign of the code page",
         "\x80"
         "5\r\n",
         {{"\xE2\x82\xAC"
           "5"}},
         {1}},
        {"quoted comma", "\"Smith, J\",Oslo\r\n", {{"Smith, J", "Oslo"}}, {1}},
        {"doubled quotes", "\"5\"\" disk\",x\n", {{"5\" disk", "x"}}, {1}},
        {"shorter and longer lines",
         "a\nb,c,d\ne,f\n",
         {{"a", "", ""}, {"b", "c", "d"}, {"e", "f", ""}},
         {1, 2, 3}},
        {"empty values", "a,,b\n\"\",x\n", {{"a", "", "b"}, {"", "x", ""}}, {1, 2}},
        // Spreadsheets break lines inside a value with LF alone.
        {"LF in a quoted value, CR LF lines",
         "\"Main St\nSuite 4\",Oslo\r\nb,c\r\n",
         {{"Main St\r\nSuite 4", "Oslo"}, {"b", "c"}},
         {1, 2}},
        {"quoted value over two LF lines",
         "\"Main St\nSuite 4\",Oslo\nb,c\n",
         {{"Main St\r\nSuite 4", "Oslo"}, {"b", "c"}},
         {1, 3}},
        {"quoted value over two CR LF lines",
         "x,\"one\r\ntwo\r\nthree\"\r\nb,c\r\n",
         {{"x", "one\r\ntwo\r\nthree"}, {"b", "c"}},
         {1, 4}},
        // The grid reader gives an unclosed quoted value as empty.
        {"a quote that never closes joins nothing",
         "\"open,a\nb,c\n",
         {{"", "a"}, {"b", "c"}},
         {1, 2}},
        // As the program's own CSV writer leaves a value ending in a quote.
        {"a value ending in two quotes",
         "\"x,abc\"\"\nnext,1\n",
         {{"x,abc\"", ""}, {"next", "1"}},
         {1, 2}},
        {"the same as the last value",
         "1,\"x,abc\"\"\nnext,2\n",
         {{"1", "x,abc\""}, {"next", "2"}},
         {1, 2}},
        {"Ctrl-Z ends the file",
         "a,b\r\n\x1A"
         "c,d\r\n",
         {{"a", "b"}},
         {1}},
        {"one column", "x\ny\n", {{"x"}, {"y"}}, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportFile f = ReadImportBytes(c.bytes);
        EXPECT_EQ(Cells(f), c.cells);
        EXPECT_EQ(std::vector<int>(f.lines.begin() + 1, f.lines.end()), c.lines);
    }
}

TEST(ImportRead, EmptyFileHasNoRecords) {
    for (const std::string bytes : {"", "\xEF\xBB\xBF",
                                    "\x1A"
                                    "a,b"}) {
        const ImportFile f = ReadImportBytes(bytes);
        EXPECT_EQ(f.Records(), 0);
        EXPECT_EQ(f.grid.RowCount(), 1);
    }
}

TEST(ImportRead, UnreadableFileSaysWhich) {
    try {
        ReadImportFile("/nonexistent/folder/stock.csv");
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/folder/stock.csv");
    }
}

TEST(ImportAssign, FieldMenuDisablesAssignedFields) {
    struct Case {
        std::vector<int> assignment;
        std::vector<bool> enabled;  // "Not Assigned", then 3 fields
    };
    const std::vector<Case> cases = {
        {{kNotAssigned, kNotAssigned}, {true, true, true, true}},
        {{2, kNotAssigned}, {true, true, true, false}},
        {{0, 2, kNotAssigned}, {true, false, true, false}},
        // With one column, nothing is ever disabled.
        {{1}, {true, true, true, true}},
    };
    for (const Case& c : cases) EXPECT_EQ(FieldMenuEnabled(c.assignment, 3), c.enabled);
}

TEST(ImportAssign, TitlesNameFields) {
    const StringTable target = Customers();
    EXPECT_EQ(FindImportField(target, "  last NAME "), kLast);
    EXPECT_EQ(FindImportField(target, "zip/postal code"), 6);
    EXPECT_EQ(FindImportField(target, "Surname"), kNotAssigned);
    EXPECT_EQ(FindImportField(target, ""), kNotAssigned);

    const ImportFile f =
        ReadImportBytes(" City ,Notes,last name,CITY,First Name\nOslo,x,Berg,y,Ann\n");
    // Column 4 was assigned by hand: it keeps its field, which no title takes.
    std::vector<int> assignment = {kNotAssigned, kNotAssigned, kNotAssigned, kNotAssigned, kFirst};
    AssignByTitles(f, target, assignment);
    EXPECT_EQ(assignment, (std::vector<int>{kCity, kNotAssigned, kLast, kNotAssigned, kFirst}));
}

TEST(ImportPlan, TitleLineIsARecordUnlessSkipped) {
    const ImportFile f = ReadImportBytes("Last Name,City\nBerg,Oslo\n");
    const StringTable target = Customers();
    const std::vector<int> assignment = {kLast, kCity};
    ImportPlan plan = PlanImport(f, assignment, false, target);
    ASSERT_EQ(plan.records.size(), 2u);
    EXPECT_EQ(plan.records[0][kLast], "Last Name");
    plan = PlanImport(f, assignment, true, target);
    ASSERT_EQ(plan.records.size(), 1u);
    EXPECT_EQ(plan.records[0][kLast], "Berg");
}

TEST(ImportPlan, EmptyRowsFirstThenNewRows) {
    // Rows 3 and 7 of the table are empty.
    StringTable target = CustomersWithGaps(9, {3, 7});
    const ImportFile f = ReadImportBytes("A,Oslo,extra\nB\nC,Rome\nD,Bonn\n");
    const ImportPlan plan = PlanImport(f, {kLast, kCity}, false, target);
    EXPECT_EQ(plan.rows, (std::vector<int>{3, 7, 9, 10}));
    EXPECT_EQ(plan.fillEmpty, 2);
    EXPECT_EQ(plan.append, 2);
    EXPECT_EQ(ImportStatusText(plan),
              "4 records will be added: 2 fill empty rows, 2 new rows at the end.");
    ApplyImport(plan, target);
    ASSERT_EQ(target.RowCount(), 11);
    const Rows expected = {{"A", "Oslo"}, {"B", ""}, {"C", "Rome"}, {"D", "Bonn"}};
    const int rows[] = {3, 7, 9, 10};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(target.CellText(kLast, rows[i]), expected[i][0]);
        EXPECT_EQ(target.CellText(kCity, rows[i]), expected[i][1]);
        // Extra values and unfed fields leave nothing elsewhere.
        EXPECT_EQ(target.CellText(kFirst, rows[i]), "");
    }
    EXPECT_EQ(target.CellText(kLast, 8), "Old8");  // records around stay
}

TEST(ImportPlan, LinesThatFeedNoFieldTakeNoRow) {
    const StringTable target = Customers();
    const ImportFile f = ReadImportBytes("A,x\n,y\nB,z\n");
    const ImportPlan plan = PlanImport(f, {kLast, kNotAssigned}, false, target);
    EXPECT_EQ(plan.rows, (std::vector<int>{1, 2}));
    EXPECT_EQ(ImportStatusText(PlanImport(f, {kNotAssigned, kNotAssigned}, false, target)),
              "No records to import: assign fields to the file's columns.");
}

TEST(ImportPlan, FullTableIsRefusedWithNothingChanged) {
    const ImportFile f = ReadImportBytes("A\nB\nC\n");
    struct Case {
        int rows;
        std::vector<int> blank;
        bool allowed;
        const char* refusal;
    };
    const std::vector<Case> cases = {
        // Full: the last record would be written over again and again.
        {kImportRowLimit,
         {},
         false,
         "The file holds 3 records to import, but none fit: the table holds at most 9999 "
         "records. Nothing has been imported."},
        {kImportRowLimit,
         {5},
         false,
         "The file holds 3 records to import, but only 1 fit: the table holds at most 9999 "
         "records. Nothing has been imported."},
        {kImportRowLimit - 1, {4, 5}, true, ""},  // two empty rows and one new row
        {kImportRowLimit - 3, {}, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        StringTable target = CustomersWithGaps(c.rows, c.blank);
        const std::string before = target.TableFileBytes();
        const ImportPlan plan = PlanImport(f, {kLast}, false, target);
        EXPECT_EQ(plan.Allowed(), c.allowed);
        EXPECT_EQ(plan.refusal, c.refusal);
        ApplyImport(plan, target);
        if (!c.allowed) {
            EXPECT_EQ(ImportStatusText(plan), c.refusal);
            EXPECT_EQ(target.TableFileBytes(), before);
        } else {
            EXPECT_LE(target.RowCount(), kImportRowLimit);
            EXPECT_EQ(target.CellText(kLast, target.RowCount() - 1), "C");
        }
    }
}

TEST(ImportPlan, CharacterTheTablesCannotHoldIsRefused) {
    const StringTable target = Customers();
    // A check mark on line 3, a snowman on line 4; both beyond the code page.
    const ImportFile f = ReadImportBytes(
        "Berg,caf\xC3\xA9\n"
        "Lund,\xE2\x82\xAC"
        "5\n"
        "Dahl \xE2\x9C\x93,x\n"
        "Holm,\xE2\x98\x83\n");
    ImportPlan plan = PlanImport(f, {kLast, kCity}, false, target);
    EXPECT_FALSE(plan.Allowed());
    EXPECT_EQ(plan.refusal,
              "Line 3 of the file holds \"\xE2\x9C\x93\" (U+2713), a character that the store's "
              "tables cannot hold. Nothing has been imported: replace it in the file and open the "
              "file again.");
    // Only what is imported counts: column 1 unassigned finds line 4.
    plan = PlanImport(f, {kNotAssigned, kCity}, false, target);
    EXPECT_NE(plan.refusal.find("Line 4 "), std::string::npos);
    // Without them, UTF-8 reaches the table in the code page.
    plan = PlanImport(f, {kLast, kNotAssigned}, false, target);
    EXPECT_FALSE(plan.Allowed());
    const ImportFile ok = ReadImportBytes(
        "caf\xC3\xA9,\xE2\x82\xAC"
        "5\n");
    plan = PlanImport(ok, {kLast, kCity}, false, target);
    ASSERT_TRUE(plan.Allowed());
    EXPECT_EQ(plan.records[0][kLast], "caf\xE9");
    EXPECT_EQ(plan.records[0][kCity],
              "\x80"
              "5");
}

// A table cell must come back from the table file as it was imported.
TEST(ImportPlan, ValuesSurviveTheTableFile) {
    StringTable target = Customers();
    const ImportFile f = ReadImportBytes(
        "\"Main St\nSuite 4\",a\tb\r\n"
        "\"x\r\ny\",p\bq\r\n"
        "\"1, \"\"2\"\" x\",plain\r\n");
    const ImportPlan plan = PlanImport(f, {kLast, kCity}, false, target);
    ApplyImport(plan, target);
    StringTable reread;
    reread.LoadTableFileBytes(target.TableFileBytes());
    const Rows expected = {{"Main St Suite 4", "a\tb"}, {"x y", "p q"}, {"1, \"2\" x", "plain"}};
    for (int r = 1; r <= 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(target.CellText(kLast, r), expected[r - 1][0]);
        EXPECT_EQ(target.CellText(kCity, r), expected[r - 1][1]);
        for (int c : {kLast, kCity}) EXPECT_EQ(reread.CellText(c, r), target.CellText(c, r));
    }
    EXPECT_EQ(CellSafe("a\r\nb\rc\nd"), "a b c d");
}

TEST(ImportApply, WrittenRowsGetNewEmptyHistories) {
    StringTable target = Customers(4);
    target.SetCell(kLast, 1, "Kept");
    std::vector<HistoryList> histories(4);
    histories[1] = {"2026/01/01", "Delivery", "", "1", "", ""};
    histories[2] = {"stale", "", "", "", "", ""};  // an empty row with an old list
    const ImportFile f = ReadImportBytes("A\nB\nC\n");
    ApplyImport(PlanImport(f, {kLast}, false, target), target, &histories);
    ASSERT_EQ(histories.size(), 5u);
    EXPECT_EQ(histories[1].size(), 6u);
    for (int r : {2, 3, 4}) EXPECT_TRUE(histories[static_cast<std::size_t>(r)].empty()) << r;
    EXPECT_EQ(target.CellText(kLast, 4), "C");
}
