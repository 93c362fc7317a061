#include "store/core/fields.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace brenvik {
namespace {

using Strings = std::vector<std::string>;

TEST(FieldSchemas, InventoryFieldsInSchemaOrder) {
    const std::vector<FieldData> fields = InventoryFields();
    ASSERT_EQ(fields.size(), 15u);
    const Strings names = {"Date Added",
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
    const std::vector<int> codes = {1, 2, 75, 2, 80, 80, 80, 80, 2, 2, 76, 2, 101, 102, 103};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].name, names[i]);
        EXPECT_EQ(fields[i].code, codes[i]) << names[i];
    }
    EXPECT_EQ(fields[12].detailField, "Quantity");
    EXPECT_EQ(fields[13].detailField, "Total");
    EXPECT_EQ(fields[14].detailField, "Quantity");
    EXPECT_EQ(fields[0].detailField, "");
    EXPECT_EQ(fields[1].choiceText,
              "Computer,Ink Jet Printer,Laser Printer,Scanner,Monitor,UPS,Speakers,Modem");
    EXPECT_EQ(fields[3].choiceText,
              "Windows 3.1, Windows 95, Windows 98, Windows ME, Windows NT, Windows 2000,Mac OS, "
              "Linux, Unix");
    EXPECT_EQ(fields[1].choiceList, (Strings{"Computer", "Ink Jet Printer", "Laser Printer",
                                             "Modem", "Monitor", "Scanner", "Speakers", "UPS"}));
    EXPECT_EQ(fields[3].choiceList,
              (Strings{" Linux", " Unix", " Windows 2000", " Windows 95", " Windows 98",
                       " Windows ME", " Windows NT", "Mac OS", "Windows 3.1"}));
    for (std::size_t i : {0, 2, 4, 8, 11, 14})
        EXPECT_TRUE(fields[i].choiceList.empty()) << names[i];

    EXPECT_EQ(CustomerFieldNames(), (Strings{"Date Added", "Last Name", "First Name", "Street",
                                             "City", "State/Province", "Zip/Postal Code", "Country",
                                             "Home Phone", "Work Phone", "Email", "Other"}));
    EXPECT_EQ(HistoryFieldNames(),
              (Strings{"Date", "Activity", "Invoice", "Quantity", "Total", "Notes"}));
}

TEST(ParseChoiceList, SortsIgnoringCaseAndKeepsPiecesAsTheyAre) {
    const std::vector<std::pair<std::string, Strings>> cases = {
        {"", {}},
        {"b,a", {"a", "b"}},
        {"b,,a", {"", "a", "b"}},          // empty piece between commas
        {",a,", {"", "a"}},                // empty remainder not added
        {"a,,,b", {"", "a", "b"}},         // empty pieces are duplicates of each other
        {"apple,Apple,APPLE", {"apple"}},  // first of equal-ignoring-case wins
        {"beta,Alpha,alpha2", {"Alpha", "alpha2", "beta"}},
        {" x,x, x", {" x", "x"}},  // not trimmed
        {"Zed,abc,Mid", {"abc", "Mid", "Zed"}},
    };
    for (const auto& [text, list] : cases) EXPECT_EQ(ParseChoiceList(text), list) << text;
}

TEST(HeadingColumn, IgnoresCaseAndTakesTheLastMatch) {
    StringTable t;
    t.SetSize(5, 2);
    const Strings headings = {"Item", "Bar Code", "item", "Quantity", "Sale Price"};
    for (int c = 0; c < 5; ++c) t.SetCell(c, 0, headings[std::size_t(c)]);
    t.SetCell(3, 1, "bar code");  // record rows are not headings
    EXPECT_EQ(GridField(t, "ITEM"), 2);
    EXPECT_EQ(GridField(t, "bar code"), 1);
    EXPECT_EQ(GridField(t, "sale price"), 4);
    EXPECT_EQ(CustomerField(t, "quantity"), 3);
    EXPECT_EQ(GridField(t, "Web ID"), 0);
    EXPECT_EQ(GridField(t, ""), 0);

    EXPECT_EQ(ReturnDetailField("quantity"), 4);
    EXPECT_EQ(ReturnDetailField("TOTAL"), 5);
    EXPECT_EQ(ReturnDetailField("Date"), 1);
    EXPECT_EQ(ReturnDetailField("Notes"), 6);
    EXPECT_EQ(ReturnDetailField("Total Sold"), 0);
}

TEST(SetupGrids, GiveTheEmptyTablesWithHeadings) {
    StringTable customers;
    customers.SetSize(20, 7);
    customers.SetCell(3, 4, "old");
    SetupCustomerGrid(customers);
    EXPECT_EQ(customers.ColCount(), 12);
    EXPECT_EQ(customers.RowCount(), 1);
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(customers.Cell(c, 0), CustomerFieldNames()[std::size_t(c)]);

    StringTable data;
    SetupInventoryGrid(data);
    EXPECT_EQ(data.ColCount(), 15);
    EXPECT_EQ(data.RowCount(), 1);
    const auto fields = InventoryFields();
    for (int c = 0; c < 15; ++c) EXPECT_EQ(data.Cell(c, 0), fields[std::size_t(c)].name);
}

TEST(AllowFieldEdit, OnlyTextAndNumberFieldsAreTyped) {
    for (int code : {1, 75, 76, 100, 101, 102, 103}) EXPECT_FALSE(AllowFieldEdit(code)) << code;
    for (int code : {2, 80, 0, 99}) EXPECT_TRUE(AllowFieldEdit(code)) << code;
}

TEST(ComputeDetailSum, SumsOneValueOfEveryEntry) {
    const HistoryList history = {
        "2024/01/02", "Invoice Sale", "7", "2", "$20.00", "",
        "2024/01/03", "Invoice Sale", "8", "3", "30.50",  "note",
        "2024/01/04", "Refund",       "9", "x", "n/a",    "",
    };
    EXPECT_EQ(ComputeDetailSum(history, "Quantity"), "5.00");  // x strips to 0
    EXPECT_EQ(ComputeDetailSum(history, "total"), "50.50");
    EXPECT_EQ(ComputeDetailSum({}, "Quantity"), "0.00");
    EXPECT_EQ(ComputeDetailSum(history, "No Such Field"), "0.00");
    // A cut-short last entry still counts with the values it has.
    EXPECT_EQ(ComputeDetailSum({"d", "a", "i", "4", "$1", "n", "d", "a", "i", "6"}, "Quantity"),
              "10.00");
    EXPECT_EQ(ComputeDetailSum({"d", "a", "i"}, "Quantity"), "0.00");
    EXPECT_EQ(ComputeDetailSum({"", "", "", "1", "", "7", "", "", "", "1", "", "8"}, "Notes"),
              "15.00");
}

TEST(ComputeRequired, CutsTheDecimalsWithoutRounding) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"", "4", "-4"},    {"20", "7.25", "12"}, {"5", "8.5", "-3"},  {"10", "", "10"},
        {"3.5", "4", "-0"}, {"abc", "2", "-2"},   {"10", "1-2", "10"}, {"", "", "0"},
    };
    for (const auto& [desired, quantity, required] : cases)
        EXPECT_EQ(ComputeRequired(desired, quantity), required) << desired << " - " << quantity;
}

TEST(ComputeDerivedFields, FillsTheDerivedColumnsOfEveryItemRow) {
    StringTable data;
    SetupInventoryGrid(data);
    data.SetRowCount(4);
    data.SetCell(1, 1, "Monitor");
    data.SetCell(6, 1, "4");  // Quantity
    data.SetCell(7, 1, "");   // Desired Quantity
    data.SetCell(6, 2, "1");
    data.SetCell(7, 2, "10.75");
    data.SetCell(12, 3, "stale");
    std::vector<HistoryList> histories(3);  // row 3 has no history entry at all
    histories[1] = {"2024/01/02", "Invoice Sale", "7", "2", "$20.00", "",
                    "2024/01/03", "Invoice Sale", "8", "3", "30.50",  "",
                    "2024/01/04", "Delivery",     "",  "x", "",       ""};
    histories[2] = {"2024/01/02", "Invoice Sale", "7", "2.5", "1.005"};  // cut short

    ComputeDerivedFields(data, histories);

    EXPECT_EQ(data.Cell(12, 1), "5");
    EXPECT_EQ(data.Cell(13, 1), "$50.50");
    EXPECT_EQ(data.Cell(14, 1), "-4");
    EXPECT_EQ(data.Cell(12, 2), "2");      // 2.50 rounds half to even
    EXPECT_EQ(data.Cell(13, 2), "$1.00");  // each value is a double first
    EXPECT_EQ(data.Cell(14, 2), "9");
    EXPECT_EQ(data.Cell(12, 3), "0");
    EXPECT_EQ(data.Cell(13, 3), "$0.00");
    EXPECT_EQ(data.Cell(14, 3), "0");
    EXPECT_EQ(data.Cell(1, 1), "Monitor");      // ordinary fields untouched
    EXPECT_EQ(data.Cell(12, 0), "Total Sold");  // headings untouched
}

TEST(ComputeDerivedFields, NarrowAndWideTablesDoNotBreak) {
    StringTable narrow;
    narrow.SetSize(13, 2);
    ComputeDerivedFields(narrow, {});
    EXPECT_EQ(narrow.Cell(12, 1), "0");
    EXPECT_EQ(narrow.ColCount(), 13);

    StringTable wide;
    wide.SetSize(17, 2);
    wide.SetCell(15, 1, "kept");
    ComputeDerivedFields(wide, {{}, {"", "", "", "1"}});
    EXPECT_EQ(wide.Cell(12, 1), "1");
    EXPECT_EQ(wide.Cell(15, 1), "kept");
}

// Answers input boxes from a queue and records what was shown.
class FakePrompter : public Prompter {
public:
    std::deque<std::string> answers;  // an empty queue answers like Cancel
    Strings inputs;
    Strings messages;

    MsgAnswer Message(MsgKind kind, const std::string& text, MsgButtons buttons) override {
        messages.push_back((kind == MsgKind::Error ? "error: " : "other: ") + text +
                           (buttons == MsgButtons::Ok ? " [OK]" : " [Yes/No]"));
        return MsgAnswer::Ok;
    }
    std::string InputBox(const std::string& caption, const std::string& prompt,
                         const std::string& value) override {
        inputs.push_back(caption + "|" + prompt + "|" + value);
        if (answers.empty()) return value;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

TEST(GetBarCode, AsksChecksAndReports) {
    const std::string invalid = "error: You have entered an invalid bar code value. [OK]";
    const std::string duplicate = "error: You have entered duplicate bar code value. [OK]";
    const Strings inventory = {"111", "222", "", "12345"};
    struct Case {
        std::string current;
        std::string answer;
        std::string result;
        Strings messages;
    };
    const std::vector<Case> cases = {
        {"111", "", "", {}},               // cleared
        {"111", "111", "111", {}},         // own code again, no check
        {"111", "12-34 5", "12-345", {}},  // stripped, minus kept
        {"111", "abc", "111", {invalid}},
        {"", "-", "-", {}},  // only "0" counts as invalid
        {"111", "0", "111", {invalid}},
        {"111", "222", "111", {duplicate}},
        {"111", "#222", "111", {duplicate}},
        {"", "12345", "", {duplicate}},
        {"111", "1 11", "111", {}},  // own code typed with a blank
        {"111", "999", "999", {}},
    };
    for (const Case& c : cases) {
        FakePrompter p;
        p.answers.push_back(c.answer);
        EXPECT_EQ(GetBarCode(p, c.current, inventory), c.result) << c.answer;
        EXPECT_EQ(p.messages, c.messages) << c.answer;
        EXPECT_EQ(p.inputs, Strings{"Scan Barcode|Scan or Type Barcode|" + c.current});
    }

    FakePrompter cancelled;  // Cancel returns the prefilled text
    EXPECT_EQ(GetBarCode(cancelled, "222", inventory), "222");
    EXPECT_TRUE(cancelled.messages.empty());
}

}  // namespace
}  // namespace brenvik
