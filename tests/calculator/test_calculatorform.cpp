#include "analyzer/screens/calculatorform.h"

#include "support/scripted_platform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>

#include <gtest/gtest.h>

using pellard::TCalculator;
using pellard::TTheCalculator;

namespace {

void KeyClick(QWidget& w, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &press);
}
void KeyClicks(QWidget& w, const QString& text) {
    for (QChar c : text) KeyClick(w, 0, c);
}

class CalculatorForm : public testing::Test {
protected:
    QString Display() { return test::TextOf(form, "Display"); }
    QStringList Tape() {
        return test::Find<QPlainTextEdit>(form, "ScreenTicket").toPlainText().split('\n');
    }
    bool Visible(const char* name) { return !test::Find<QPushButton>(form, name).isHidden(); }

    test::ScriptedPlatform ui;
    TTheCalculator form;
};

}  // namespace

TEST_F(CalculatorForm, ButtonsAndKeyboardReachTheCalculator) {
    EXPECT_EQ(form.windowTitle(), "Calculator");
    test::Click(form, "Button_2");
    test::Click(form, "Button_Plus");
    KeyClicks(form, "3");
    KeyClick(form, Qt::Key_Return);
    EXPECT_EQ(Display(), "5.00 ");
    EXPECT_EQ(Tape(),
              QStringList({"    Calculator", "              ", "--------------", "       2.00   ",
                           "       3.00  +", "       5.00  =", "--------------"}));
    KeyClicks(form, "12.");
    KeyClick(form, Qt::Key_Backspace);
    EXPECT_EQ(form.Logic().EntryText(), "12");
    test::Click(form, "Button_C");
    test::Click(form, "Button_C");
    EXPECT_EQ(Tape().mid(7), QStringList({"             C", "--------------"}));
}

TEST_F(CalculatorForm, MemoryButtonsShowWhileMemoryHoldsAValue) {
    EXPECT_FALSE(Visible("Button_MC"));
    EXPECT_FALSE(Visible("Button_MR"));
    test::Click(form, "Button_7");
    test::Click(form, "Button_MPlus");
    EXPECT_TRUE(Visible("Button_MC"));
    EXPECT_TRUE(Visible("Button_MR"));
    test::Click(form, "Button_MC");
    EXPECT_FALSE(Visible("Button_MR"));
    EXPECT_FALSE(Visible("Button_Use"));
}

TEST_F(CalculatorForm, OptionPagesSetDecimalsAndCallForHelp) {
    auto& book = test::Find<QStackedWidget>(form, "OptionBook");
    test::Click(form, "Button_Opt");
    EXPECT_EQ(book.currentIndex(), 1);
    auto& decimals = test::Find<QSpinBox>(form, "Edit1");
    EXPECT_EQ(decimals.value(), 2);
    EXPECT_EQ(decimals.maximum(), 7);
    decimals.setValue(4);
    test::Click(form, "Button_Opt");  // leaving the page takes the new decimals
    EXPECT_EQ(form.Logic().Decimals(), 4);
    EXPECT_EQ(Display(), "0.0000 ");
    test::Click(form, "MailBtn");
    EXPECT_EQ(ui.Urls(), QStringList({QString("mailto:") + TTheCalculator::kMailAddress}));
    test::Click(form, "Button_Opt");
    EXPECT_EQ(book.currentIndex(), 3);
    int helped = 0;
    form.SetHelpHandler([&] { ++helped; });
    test::Click(form, "HelpBtn");
    EXPECT_EQ(helped, 1);
    test::Click(form, "Button_Opt");
    EXPECT_EQ(book.currentIndex(), 0);
}

TEST_F(CalculatorForm, PrintsTheTape) {
    test::Click(form, "Button_4");
    test::Click(form, "Button_Total");
    ui.ExpectPrintDialog(false);
    test::Click(form, "Button_Print");
    EXPECT_TRUE(ui.PrintedFiles().isEmpty());
    ui.ExpectPrintDialog(true);
    test::Click(form, "Button_Print");
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    const QString text = test::PdfText(ui.PrintedFiles()[0]);
    EXPECT_TRUE(text.contains("Calculator")) << text.toStdString();
    EXPECT_TRUE(text.contains("4.00")) << text.toStdString();
}

TEST(Calculator, ExecuteReportsUseAndTheValue) {
    test::ScriptedPlatform ui;
    ui.ExpectModal("TTheCalculator", [](QDialog& d) {
        test::Click(d, "Button_6");
        test::Click(d, "Button_Times");
        test::Click(d, "Button_7");
        test::Click(d, "Button_Total");
        test::Click(d, "Button_Use");
        return QDialog::Rejected;
    });
    ui.ExpectModal("TTheCalculator", [](QDialog& d) {
        test::Click(d, "Button_9");
        test::Click(d, "Button_Quit");
        return QDialog::Accepted;
    });
    TCalculator calc;
    EXPECT_TRUE(calc.Execute());
    EXPECT_EQ(calc.Value(), 42);
    EXPECT_FALSE(calc.Execute());
    EXPECT_EQ(calc.Value(), 9);
}
