// The label dialog, the barcode label window and the customer list's print
// button, driven as a user would on the scripted platform.
#include "store/customers/screens/TCustomerListForm.h"
#include "store/labels/screens/TLabelForm.h"
#include "store/labels/screens/TRTFForm.h"
#include "ui/previewwidget.h"

#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace brenvik;

namespace {

// A customer table of `count` customers named "First<n> Last<n>".
StringTable Customers(int count) {
    StringTable t;
    t.SetSize(5, count + 1);
    const char* headings[] = {"Last Name", "First Name", "Street", "City", "State"};
    for (int c = 0; c < 5; ++c) t.SetCell(c, 0, headings[c]);
    for (int r = 1; r <= count; ++r) {
        const std::string n = std::to_string(r);
        t.SetCell(0, r, "Last" + n);
        t.SetCell(1, r, "First" + n);
        t.SetCell(2, r, n + " High St");
        t.SetCell(3, r, "Oslo");
        t.SetCell(4, r, "OS");
    }
    return t;
}

CustomerList ListOf(int count) {
    CustomerList list;
    list.GridToList(Customers(count));
    return list;
}

// Adds entries through the entry menu.
void AddEntries(test::ScriptedPlatform& ui, LabelContentBox& content, const QStringList& captions) {
    for (const QString& c : captions) {
        ui.ExpectMenu(c);
        content.AddBtnClick();
    }
}

QString PreviewText(QObject& form) {
    return test::Find<QPlainTextEdit>(form, "LabelPreview").toPlainText();
}

int Pages(TLabelForm& form) { return form.Pages().Preview().Document().PageCount(); }

}  // namespace

TEST(LabelForm, ContentEntriesAndTheLabelPreview) {
    test::ScriptedPlatform ui;
    CustomerList list = ListOf(2);
    TLabelForm form(list, 0);
    EXPECT_FALSE(test::Find<QPushButton>(form, "RemoveBtn").isEnabled());
    EXPECT_EQ(PreviewText(form), "");

    // The menu offers the columns, then the separators.
    ui.ExpectMenu("Street");
    form.Content().AddBtnClick();
    const auto menu = ui.Log(test::Dlg::Menu).back().items;
    EXPECT_EQ(menu, QStringList({"Last Name", "First Name", "Street", "City", "State", "Space",
                                 "Comma", "New Line"}));

    AddEntries(ui, form.Content(), {"New Line", "Last Name", "First Name", "City", "Comma"});
    EXPECT_TRUE(test::Find<QPushButton>(form, "RemoveBtn").isEnabled());
    // Headings stand in for values; the first column has no space after it.
    EXPECT_EQ(PreviewText(form), "Street \nLast NameFirst Name City ,");

    // Move the selected "Comma" up twice, then remove "New Line".
    auto& fields = test::Find<QListWidget>(form, "Fields");
    EXPECT_EQ(fields.currentRow(), 5);
    test::Click(form, "MoveUpBtn");
    test::Click(form, "MoveUpBtn");
    EXPECT_EQ(PreviewText(form), "Street \nLast Name,First Name City ");
    fields.setCurrentRow(1);
    test::Click(form, "RemoveBtn");
    EXPECT_EQ(PreviewText(form), "Street Last Name,First Name City ");
    while (fields.count() > 0) {
        fields.setCurrentRow(0);
        test::Click(form, "RemoveBtn");
    }
    EXPECT_FALSE(test::Find<QPushButton>(form, "RemoveBtn").isEnabled());
    // An entry may be added any number of times here.
    AddEntries(ui, form.Content(), {"Comma", "Comma"});
    EXPECT_EQ(PreviewText(form), ",,");
    EXPECT_TRUE(ui.Finish());
}

TEST(LabelForm, StartPositionsRecordModesAndPages) {
    test::ScriptedPlatform ui;
    struct Case {
        const char* what;
        int customers, selected;
        const char* mode;
        int column, row;
        int pages;
        const char* pageNumber;
    };
    const Case cases[] = {
        {"selected customer", 30, 4, "CurrentRecordBtn", 1, 1, 1, "1 of 1"},
        {"24 customers fill one sheet", 24, 0, "AllRecordsBtn", 1, 1, 1, "1 of 1"},
        {"the 25th starts a second", 25, 0, "AllRecordsBtn", 1, 1, 2, "1 of 2"},
        {"start at column 2, row 3", 17, 0, "AllRecordsBtn", 2, 3, 1, "1 of 1"},
        {"start at column 2, row 3, one more", 18, 0, "AllRecordsBtn", 2, 3, 2, "1 of 2"},
        {"no customer checked", 5, 0, "SearchListRecordsBtn", 1, 1, 0, "0 of 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CustomerList list = ListOf(c.customers);
        TLabelForm form(list, c.selected);
        test::SetChecked(form, c.mode, true);
        test::SetText(form, "PrintColumn", QString::number(c.column));
        test::SetText(form, "PrintRow", QString::number(c.row));
        EXPECT_EQ(Pages(form), c.pages);
        EXPECT_EQ(test::TextOf(form, "PageNumber"), c.pageNumber);
        const LabelRun run = form.CurrentRun();
        EXPECT_EQ(run.start, (c.row - 1) * 3 + c.column);
    }

    // Checked customers print in list order.
    CustomerList list = ListOf(5);
    list.SetChecked(3, true);
    list.SetChecked(1, true);
    TLabelForm form(list, 0);
    AddEntries(ui, form.Content(), {"First Name"});
    test::SetChecked(form, "SearchListRecordsBtn", true);
    EXPECT_EQ(form.CurrentRun().texts,
              (std::vector<std::vector<std::string>>{{"First2 "}, {"First4 "}}));
    EXPECT_TRUE(ui.Finish());
}

TEST(LabelForm, NoSelectionMeansAllCustomers) {
    test::ScriptedPlatform ui;
    CustomerList list = ListOf(3);
    TLabelForm form(list, -1);
    EXPECT_TRUE(test::Find<QRadioButton>(form, "AllRecordsBtn").isChecked());
    EXPECT_EQ(form.CurrentRun().texts.size(), 3u);
}

TEST(LabelForm, LabelTypeLimitsTheStartPosition) {
    test::ScriptedPlatform ui;
    CustomerList list = ListOf(3);
    TLabelForm form(list, 0);
    auto& column = test::Find<QSpinBox>(form, "PrintColumn");
    auto& row = test::Find<QSpinBox>(form, "PrintRow");
    EXPECT_EQ(column.maximum(), 3);
    EXPECT_EQ(row.maximum(), 8);
    column.setValue(3);
    auto& types = test::Find<QComboBox>(form, "SelectTemplateList");
    EXPECT_EQ(types.count(), 19);
    types.setCurrentIndex(types.findText("L7171_LeverArch"));
    emit types.activated(types.currentIndex());
    EXPECT_EQ(column.maximum(), 4);
    EXPECT_EQ(row.maximum(), 1);
    EXPECT_EQ(column.value(), 1);
    const QSizeF page = form.Pages().Preview().Document().Setup().PageSize();
    EXPECT_NEAR(page.width(), 297 / 25.4, 0.01);  // A4 landscape
}

TEST(LabelForm, SaveAndLoadLabelData) {
    test::ScriptedPlatform ui;
    test::TempFolder dir;
    CustomerList list = ListOf(3);
    TLabelForm form(list, 0);
    AddEntries(ui, form.Content(), {"First Name", "Space", "Last Name"});
    test::SetText(form, "FontSize", "14");
    auto& types = test::Find<QComboBox>(form, "SelectTemplateList");
    types.setCurrentIndex(3);
    emit types.activated(3);

    ui.ExpectSaveFile(dir.QPath() + "one");
    ui.ExpectInformation("Label data saved.");
    test::Click(form, "SaveLabelsBtn");
    const std::string saved = dir.Read("one.dld");
    LabelLayout back;
    ASSERT_TRUE(ReadLayout(saved, back, LayoutFile::LabelData));
    EXPECT_EQ(back.fontName, "System");
    EXPECT_EQ(back.fontSize, "14");
    EXPECT_EQ(back.typeName, "L7162_Address");
    EXPECT_EQ(back.entries.size(), 3u);

    // Saving where no file can be made: the message, nothing half written.
    ui.ExpectSaveFile(dir.QPath() + "no/such/folder/two.dld");
    ui.ExpectError("A problem was encountered.  Label data was not saved.  Please try again.");
    test::Click(form, "SaveLabelsBtn");

    // A fresh dialog loads it back; "No" and a cancelled dialog change nothing.
    TLabelForm other(list, 0);
    ui.ExpectConfirmation(
        "Existing label data will be cleared.  Are you sure you want to continue ?", MsgAnswer::No);
    test::Click(other, "LoadLabelsBtn");
    ui.ExpectConfirmation(test::Any(), MsgAnswer::Yes);
    ui.ExpectOpenFileCancel();
    test::Click(other, "LoadLabelsBtn");
    EXPECT_TRUE(other.Content().Entries().empty());
    ui.ExpectConfirmation(test::Any(), MsgAnswer::Yes);
    ui.ExpectOpenFile(dir.QPath() + "one.dld");
    test::Click(other, "LoadLabelsBtn");
    EXPECT_EQ(other.Layout(), form.Layout());
    EXPECT_EQ(PreviewText(other), "First Name  Last Name");
    EXPECT_EQ(ui.Log(test::Dlg::OpenFile).back().caption, "Label Data (*.dld)");
    EXPECT_TRUE(ui.Finish());
}

TEST(LabelForm, DamagedOrUnknownLabelData) {
    test::ScriptedPlatform ui;
    test::TempFolder dir;
    CustomerList list = ListOf(3);
    LabelLayout layout;
    layout.fontName = "Courier";
    layout.fontSize = "16";
    layout.color = 0xFF0000;  // blue
    layout.typeName = "No_Such_Sheet";
    layout.entries = {{"Last Name", 100}, {"Street", 120}};
    const std::string bytes = LayoutBytes(layout, LayoutFile::LabelData);
    dir.Write("unknown.dld", bytes);
    dir.Write("cut.dld", bytes.substr(0, 16));  // font name, size text, part of the colour

    TLabelForm form(list, 0);
    AddEntries(ui, form.Content(), {"City"});
    ui.ExpectConfirmation(test::Any(), MsgAnswer::Yes);
    ui.ExpectOpenFile(dir.QPath() + "cut.dld");
    ui.ExpectInformation("Label data file is invalid.  No label data loaded.");
    test::Click(form, "LoadLabelsBtn");
    // The font values read before the failure stay; the content is untouched.
    EXPECT_EQ(form.FontControls().FontName(), "Courier");
    EXPECT_EQ(form.FontControls().SizeText(), "16");
    EXPECT_EQ(form.Layout().entries.size(), 1u);

    ui.ExpectConfirmation(test::Any(), MsgAnswer::Yes);
    ui.ExpectOpenFile(dir.QPath() + "missing.dld");
    ui.ExpectInformation("Label data file is invalid.  No label data loaded.");
    test::Click(form, "LoadLabelsBtn");

    // An unknown label type name stays shown; the first type lays out.
    ui.ExpectConfirmation(test::Any(), MsgAnswer::Yes);
    ui.ExpectOpenFile(dir.QPath() + "unknown.dld");
    test::Click(form, "LoadLabelsBtn");
    EXPECT_EQ(test::TextOf(form, "SelectTemplateList"), "No_Such_Sheet");
    form.SetLabelSetup();
    EXPECT_EQ(form.CurrentRun().type, &LabelSheetTypes().front());
    EXPECT_EQ(form.FontControls().Color(), QColor(0, 0, 255));
    EXPECT_EQ(form.CurrentRun().texts.front(), (std::vector<std::string>{"Last11 High St "}));
    EXPECT_TRUE(ui.Finish());
}

TEST(LabelForm, CustomerListPrintButtonOpensIt) {
    test::ScriptedPlatform ui;
    StringTable table = Customers(3);
    TCustomerListForm list(table, "/tmp/");
    list.Select(1);
    ui.ExpectModal("TLabelForm", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Generate Labels");
        EXPECT_TRUE(test::Find<QRadioButton>(d, "CurrentRecordBtn").isChecked());
        auto& form = static_cast<TLabelForm&>(d);
        EXPECT_EQ(form.CurrentRun().texts.size(), 1u);
        return QDialog::Accepted;
    });
    test::Click(list, "PrintBtn");
    EXPECT_TRUE(ui.Finish());
}

TEST(LabelCalibration, StoredPerUserInMillimetres) {
    test::ScriptedPlatform ui;
    const LabelSheetType& type = LabelSheetTypes().front();
    QPrinter printer;
    {
        TLabelCalibrationForm form(type, printer);
        test::SetText(form, "OffsetRight", "1.5");
        test::SetText(form, "OffsetDown", "-2");
        form.accept();
    }
    const LabelCalibration c = ReadLabelCalibration();
    EXPECT_DOUBLE_EQ(c.right.InMillimetres(), 1.5);
    EXPECT_DOUBLE_EQ(c.down.InMillimetres(), -2);
    // A damaged value is no offset.
    ui.WriteUserSetting("Varnholt", "Labels", "OffsetRightMm", "far");
    ui.WriteUserSetting("Varnholt", "Labels", "OffsetDownMm", 400);
    EXPECT_EQ(ReadLabelCalibration().right.InMillimetres(), 0);
    EXPECT_EQ(ReadLabelCalibration().down.InMillimetres(), 0);
}

// ---------------------------------------------------------------- barcode label window

namespace {

StringTable Inventory() {
    StringTable t;
    t.SetSize(3, 3);
    const char* cells[3][3] = {
        {"Item", "Bar Code", "Type"}, {"Hat", "12345670", "Wool"}, {"Cap", "", "Cotton"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) t.SetCell(c, r, cells[r][c]);
    return t;
}

struct Dialog {
    QDialog dialog;
    BarcodeLabelInput input{"L7159_Address", 2, 3, "bcCodeEAN8", "12345670", false};
    BarcodeLabelState State() {
        return [this] { return input; };
    }
};

}  // namespace

TEST(BarcodeLabelWindow, EntriesOnceEachAndTheSettingsFile) {
    test::ScriptedPlatform ui;
    test::TempFolder dir;
    StringTable inventory = Inventory();
    Dialog owner;
    {
        TRTFForm& w = OpenBarcodeLabelWindow(owner.dialog, inventory, dir.Path(), 1, owner.State());
        EXPECT_EQ(w.windowTitle(), "Print Barcode");
        EXPECT_FALSE(test::Find<QLabel>(w, "PageNumber").isVisible());
        // Opening again brings up the same window.
        EXPECT_EQ(&OpenBarcodeLabelWindow(owner.dialog, inventory, dir.Path(), 1, owner.State()),
                  &w);
        AddEntries(ui, w.Content(), {"Item", "New Line", "Type"});
        ui.ExpectMenu("Space");
        w.Content().AddBtnClick();
        const QStringList menu = ui.Log(test::Dlg::Menu).back().items;
        EXPECT_EQ(menu, QStringList({"(disabled) Item", "Bar Code", "(disabled) Type", "Space",
                                     "Comma", "(disabled) New Line"}));
        // A disabled item adds nothing.
        w.Content().OnItemClick(0);
        EXPECT_EQ(w.Content().Entries().size(), 4u);
        auto& fields = test::Find<QListWidget>(w, "Fields");
        fields.setCurrentRow(1);
        test::Click(w, "RemoveBtn");  // "New Line" is offered again
        ui.ExpectMenu("New Line");
        w.Content().AddBtnClick();
        EXPECT_EQ(w.CurrentRun().texts.front(), (std::vector<std::string>{"HatWool  ", ""}));
        test::SetText(w, "FontSize", "12");
        test::Click(w, "OKButton");  // closes and saves
    }
    EXPECT_TRUE(dir.Exists("labset.set"));
    LabelLayout saved;
    ASSERT_TRUE(ReadLayout(dir.Read("labset.set"), saved, LayoutFile::LabelSettings));
    EXPECT_EQ(saved.fontSize, "12");
    EXPECT_EQ(saved.entries.size(), 4u);

    // Reopening restores them.
    TRTFForm& again = OpenBarcodeLabelWindow(owner.dialog, inventory, dir.Path(), 2, owner.State());
    EXPECT_EQ(again.FontControls().SizeText(), "12");
    EXPECT_EQ(again.Content().Entries(), saved.entries);
    EXPECT_EQ(again.CurrentRun().texts.front(), (std::vector<std::string>{"CapCotton  ", ""}));
    again.close();
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeLabelWindow, ReadsTheDialogAndClosesWithIt) {
    test::ScriptedPlatform ui;
    test::TempFolder dir;
    dir.Write("labset.set", "\x06\x04");  // damaged: nothing read, no message
    StringTable inventory = Inventory();
    auto owner = std::make_unique<Dialog>();
    QPointer<TRTFForm> w =
        &OpenBarcodeLabelWindow(owner->dialog, inventory, dir.Path(), 1, owner->State());
    EXPECT_TRUE(w->Content().Entries().empty());
    EXPECT_EQ(w->Pages().Preview().Document().PageCount(), 1);
    LabelRun run = w->CurrentRun();
    EXPECT_EQ(run.start, 8);
    EXPECT_TRUE(run.wholeSheet);
    EXPECT_TRUE(bool(run.picture));

    // Another label type in the dialog: the next activation rebuilds with it.
    owner->input.labelType = "L7162_Address";
    owner->input.value = "";  // nothing to draw
    w->FormActivate();
    run = w->CurrentRun();
    EXPECT_EQ(run.type->name, "L7162_Address");
    EXPECT_EQ(run.start, 2 + 2 * 2);
    EXPECT_FALSE(bool(run.picture));

    // The dialog ends: the window closes (and saves) with it.
    owner->dialog.open();
    owner->dialog.reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(dir.Exists("labset.set"));
    // Going away without finishing also takes the window along.
    w = &OpenBarcodeLabelWindow(owner->dialog, inventory, dir.Path(), 1, owner->State());
    owner.reset();
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(ui.Finish());
}

TEST(BarcodeLabelWindow, FailureToSaveTheSettingsIsShownOnce) {
    test::ScriptedPlatform ui;
    StringTable inventory = Inventory();
    Dialog owner;
    TRTFForm& w =
        OpenBarcodeLabelWindow(owner.dialog, inventory, "/no/such/folder/", 1, owner.State());
    ui.ExpectError(test::Containing("labset.set"));
    w.close();
    EXPECT_TRUE(ui.Finish());
}

TEST(LabelFont, SystemIsTheDesktopFont) {
    test::App();
    struct Case {
        const char* name;
        const char* size;
        int points;
    };
    const Case cases[] = {
        {"System", "12", 12}, {"", "9", 9}, {"System", "10.5", 10}, {"DejaVu Serif", "x", 10}};
    for (const Case& c : cases) {
        const QFont f = LabelFont(c.name, c.size);
        EXPECT_EQ(f.pointSize(), c.points) << c.name << " " << c.size;
        if (std::string(c.name).empty() || std::string(c.name) == "System")
            EXPECT_EQ(f.family(), QGuiApplication::font().family());
        else EXPECT_EQ(f.family(), c.name);
    }
}
