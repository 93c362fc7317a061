// The date and numeric range dialogs: OK, Cancel and Clear.
#include "scripted_platform.h"
#include "testutil.h"

#include "store/inventory/screens/TEditDateRangeForm.h"
#include "store/inventory/screens/TEditNumericRangeForm.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace brenvik;

TEST(EditDateRangeForm, OkCancelAndClear) {
    test::ScriptedPlatform ui;
    TEditDateRangeForm form;
    EXPECT_EQ(form.windowTitle(), "Edit Date Range");
    EXPECT_EQ(form.EmptyEntryText(), "    /  /  ");
    form.From = "2006/01/01";
    form.To = "2006/02/01";
    ui.ExpectModal("TEditDateRangeForm", [](QDialog& d) {
        EXPECT_EQ(test::TextOf(d, "FromDate"), "2006/01/01");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    EXPECT_EQ(ui.ShowModal(form), QDialog::Accepted);
    EXPECT_EQ(form.Summary, "2006/01/01 to 2006/02/01");

    // Only one date: nothing is kept.
    ui.ExpectModal("TEditDateRangeForm", [](QDialog& d) {
        test::Find<QLineEdit>(d, "ToDate").clear();
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    ui.ShowModal(form);
    EXPECT_EQ(form.From, "");
    EXPECT_EQ(form.To, "");
    EXPECT_EQ(form.Summary, "");

    // Cancel keeps the given range but empties the summary; Clear empties both entries.
    form.From = "2006/03/01";
    form.To = "2006/04/01";
    form.Summary = "old";
    ui.ExpectModal("TEditDateRangeForm", [](QDialog& d) {
        test::Click(d, "ClearBtn");
        EXPECT_EQ(test::Find<QLineEdit>(d, "FromDate").displayText(), "    /  /  ");
        test::Click(d, "CancelBtn");
        return QDialog::Accepted;
    });
    EXPECT_EQ(ui.ShowModal(form), QDialog::Rejected);
    EXPECT_EQ(form.From, "2006/03/01");
    EXPECT_EQ(form.To, "2006/04/01");
    EXPECT_EQ(form.Summary, "");
}

TEST(EditNumericRangeForm, OkKeepsOneSidedRanges) {
    test::ScriptedPlatform ui;
    TEditNumericRangeForm form;
    EXPECT_EQ(form.windowTitle(), "Edit Numeric Range");
    form.From = "5";
    ui.ExpectModal("TEditNumericRangeForm", [](QDialog& d) {
        EXPECT_EQ(test::TextOf(d, "FromEdit"), "5");
        test::SetText(d, "FromEdit", "");
        test::SetText(d, "ToEdit", "20");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    ui.ShowModal(form);
    EXPECT_EQ(form.From, "");
    EXPECT_EQ(form.To, "20");
    EXPECT_EQ(form.Summary, " to 20");

    ui.ExpectModal("TEditNumericRangeForm", [](QDialog& d) {
        test::Click(d, "ClearBtn");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    ui.ShowModal(form);
    EXPECT_EQ(form.To, "");
    EXPECT_EQ(form.Summary, "");
}
