// The scripted platform that screen tests run on, the byte adapters of the
// platform layer, and the text conversion between store bytes and the screen.
#include "support/scripted_platform.h"
#include "support/testutil.h"
#include "ui/text.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <stdexcept>

using brenvik::MsgAnswer;
using brenvik::MsgButtons;
using brenvik::MsgKind;
using test::Dlg;
using test::ScriptedPlatform;

namespace {

// A sub-screen like the program's: fills itself when first activated and may
// ask the user something while doing so.
class TSampleForm : public QDialog {
    Q_OBJECT
public:
    explicit TSampleForm(bool askOnActivate = false) : ask_(askOnActivate) {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        edit->setObjectName("NameEdit");
        auto* ok = new QPushButton("OK", this);
        ok->setObjectName("OKBtn");
        auto* sub = new QPushButton("More", this);
        sub->setObjectName("MoreBtn");
        layout->addWidget(edit);
        layout->addWidget(ok);
        layout->addWidget(sub);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(sub, &QPushButton::clicked, this, [this] {
            TSampleForm nested(ask_);
            subResult = ui::platform().ShowModal(nested);
        });
        connect(edit, &QLineEdit::textEdited, this, [this] { ++edits; });
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && !filled) {
            filled = true;
            if (ask_)
                answer =
                    ui::platform().ShowMessage(MsgKind::Confirmation, "Load?", MsgButtons::YesNo);
        }
        return QDialog::event(e);
    }

    QLineEdit* edit;
    bool filled = false;
    int edits = 0;
    int subResult = -100;
    MsgAnswer answer = MsgAnswer::Ok;

private:
    bool ask_;
};

TEST(ScriptedPlatform, AnswersInOrderAndRecords) {
    ScriptedPlatform ui;
    ui.ExpectConfirmation("Delete this item?", MsgAnswer::Yes);
    ui.ExpectInput("Quantity", "5", "Add");
    ui.ExpectInputCancel(test::Containing("Bar"));
    ui.ExpectOpenFile("/tmp/in.csv", "Import");
    ui.ExpectSaveFile("/tmp/out");
    ui.ExpectSaveFileCancel();
    ui.ExpectDate(QDate(2024, 2, 29));
    ui.ExpectDateCancel();
    ui.ExpectMenu("&Copy");
    ui.ExpectMenu(2);
    ui.ExpectMenuNone();
    ui.ExpectFont(QFont("Liberation Serif", 14));
    ui.ExpectColorCancel();
    ui.ExpectPrintDialog();
    ui.ExpectPrinterSetup(false);
    ui.ExpectInformation();

    auto& p = ui::platform();
    EXPECT_EQ(p.ShowMessage(MsgKind::Confirmation, "Delete this item?", MsgButtons::YesNo),
              MsgAnswer::Yes);
    EXPECT_EQ(p.AskText("Add", "Quantity", "1"), "5");
    EXPECT_EQ(p.AskText("Find", "Bar code", "123"), "123");
    EXPECT_EQ(p.OpenFileName({.title = "Import", .filter = "CSV files (*.csv)"}), "/tmp/in.csv");
    EXPECT_EQ(p.SaveFileName({.title = "Export", .defaultExt = "csv"}), "/tmp/out.csv");
    EXPECT_EQ(p.SaveFileName({.title = "Export"}), std::nullopt);
    EXPECT_EQ(p.PickDate({}, QDate(2024, 1, 1)), QDate(2024, 2, 29));
    EXPECT_EQ(p.PickDate({}, QDate(2024, 1, 1)), std::nullopt);
    std::vector<ui::MenuEntry> menu{{"Cut", false}, {"Copy"}, {"Paste"}};
    EXPECT_EQ(p.PopupMenu({}, menu), 1);
    EXPECT_EQ(p.PopupMenu({}, menu), 2);
    EXPECT_EQ(p.PopupMenu({}, menu), -1);
    EXPECT_EQ(p.ChooseFont(QFont()), QFont("Liberation Serif", 14));
    EXPECT_EQ(p.ChooseColor(Qt::red), std::nullopt);
    QPrinter printer;
    EXPECT_TRUE(p.PrintDialog(printer));
    EXPECT_FALSE(p.PrinterSetup(printer));
    EXPECT_EQ(p.ShowMessage(MsgKind::Information, "Done", MsgButtons::Ok), MsgAnswer::Ok);
    EXPECT_EQ(ui.Pending(), 0u);

    ASSERT_EQ(ui.Log().size(), 16u);
    EXPECT_EQ(ui.Messages(), QStringList({"Delete this item?", "Done"}));
    const auto inputs = ui.Log(Dlg::Input);
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0].caption, "Add");
    EXPECT_EQ(inputs[0].value, "1");
    EXPECT_EQ(inputs[1].answer, "Cancel");
    EXPECT_EQ(ui.Log(Dlg::Menu)[0].items, QStringList({"(disabled) Cut", "Copy", "Paste"}));
    EXPECT_EQ(ui.Log()[3].caption, "CSV files (*.csv)");
    for (const auto& s : ui.Log()) EXPECT_TRUE(s.expected) << test::Describe(s).toStdString();

    // Shell calls, settings and progress need no script.
    EXPECT_TRUE(p.OpenUrl("https://example.com/"));
    EXPECT_TRUE(p.StartProgram("/opt/x/pellard", {"IvTemp.csv"}, "/opt/x"));
    EXPECT_EQ(ui.Urls(), QStringList{"https://example.com/"});
    auto starts = ui.Log(Dlg::StartProgram);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].items, QStringList{"IvTemp.csv"});
    EXPECT_EQ(starts[0].dir, "/opt/x");
    EXPECT_EQ(p.ReadUserSetting("Varnholt", "Mail", "Port", 25), QVariant(25));
    p.WriteUserSetting("Varnholt", "Mail", "Port", 2525);
    EXPECT_EQ(p.ReadUserSetting("Varnholt", "Mail", "Port", 25), QVariant(2525));
}

TEST(ScriptedPlatform, ProgressCancelsOnlyWhenScripted) {
    ScriptedPlatform ui;
    auto run = [](int steps) {
        auto progress = ui::platform().StartProgress("Loading", steps);
        int done = 0;
        while (done < steps && progress->Step(done + 1)) ++done;
        return done;
    };
    EXPECT_EQ(run(100), 100);
    ui.CancelProgressAfter(3);
    EXPECT_EQ(run(100), 3);
    EXPECT_EQ(run(100), 100);  // the cancel was for one run only
    EXPECT_EQ(ui.Log(Dlg::Progress)[1].answer, "cancelled at 4");
}

TEST(ScriptedPlatform, InstallsItselfAndRestoresThePrevious) {
    ScriptedPlatform outer;
    {
        ScriptedPlatform inner;
        EXPECT_EQ(&ui::platform(), &inner);
    }
    EXPECT_EQ(&ui::platform(), &outer);
}

TEST(ScriptedPlatform, UnexpectedDialogsFailAndGetSafeAnswers) {
    ScriptedPlatform ui;
    auto& p = ui::platform();
    MsgAnswer answer = MsgAnswer::Yes;
    EXPECT_NONFATAL_FAILURE(
        answer = p.ShowMessage(MsgKind::Confirmation, "Purge?", MsgButtons::YesNo),
        "Unexpected message box (confirmation, Yes/No) \"Purge?\"");
    EXPECT_EQ(answer, MsgAnswer::No);

    // The same kind with other details uses up the expectation...
    ui.ExpectInput("Quantity", "5");
    ui.ExpectInput("Price", "2.00");
    QString text;
    EXPECT_NONFATAL_FAILURE(text = p.AskText("", "Quantity:", "1"),
                            "expected next: input box prompting \"Quantity\"");
    EXPECT_EQ(text, "1");
    EXPECT_EQ(p.AskText("", "Price", "1.00"), "2.00");

    // ...another kind leaves it for what comes next.
    ui.ExpectModal("TEditItemForm", QDialog::Accepted);
    std::optional<QString> file = "x";
    EXPECT_NONFATAL_FAILURE(file = p.OpenFileName({}),
                            "expected next: modal sub-screen \"TEditItemForm\"");
    EXPECT_EQ(file, std::nullopt);
    TSampleForm form;
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = p.ShowModal(form), "modal sub-screen TSampleForm");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.filled);

    ui.ExpectError("Item not found");
    EXPECT_NONFATAL_FAILURE(p.ShowMessage(MsgKind::Error, "Item not found!", MsgButtons::Ok),
                            "\"Item not found\"");
    ui.ExpectMessage("Save?", MsgAnswer::Yes);
    EXPECT_NONFATAL_FAILURE(answer = p.ShowMessage(MsgKind::Information, "Save?", MsgButtons::Ok),
                            "has no such button");
    EXPECT_EQ(answer, MsgAnswer::Ok);
    ui.ExpectMenu("Paste");
    EXPECT_NONFATAL_FAILURE(result = p.PopupMenu({}, {{"Copy"}, {"Paste", false}}),
                            "does not offer");
    EXPECT_EQ(result, -1);

    ui.ExpectDate(QDate(2020, 1, 1));
    ui.ExpectInformation();
    EXPECT_NONFATAL_FAILURE(ui.Finish(), "2 scripted interaction(s) never came");
    EXPECT_EQ(ui.Pending(), 0u);
    EXPECT_FALSE(ui.Log()[0].expected);
}

TEST(ScriptedPlatform, ModalCallbackWorksTheShownDialog) {
    ScriptedPlatform ui;
    ui.ExpectModal("TSampleForm", [](QDialog& d) {
        EXPECT_TRUE(d.isVisible());
        test::SetText(d, "NameEdit", "Hat");
        test::Click(d, "OKBtn");
        return QDialog::Rejected;  // accept() above decides
    });
    TSampleForm form;
    EXPECT_EQ(ui::platform().ShowModal(form), QDialog::Accepted);
    EXPECT_EQ(form.edit->text(), "Hat");
    EXPECT_EQ(form.edits, 1);
    EXPECT_TRUE(form.filled) << "not activated";
    EXPECT_FALSE(form.isVisible());

    // Without a button, the callback's return is the result.
    ui.ExpectModal("TSampleForm", [](QDialog&) { return 7; });
    ui.ExpectModal("TSampleForm", [](QDialog& d) {
        d.done(5);
        return 7;
    });
    ui.ExpectModal("TSampleForm");
    TSampleForm again;
    EXPECT_EQ(ui::platform().ShowModal(again), 7);
    EXPECT_EQ(again.result(), 7);
    EXPECT_EQ(ui::platform().ShowModal(again), 5);
    EXPECT_EQ(ui::platform().ShowModal(again), QDialog::Rejected);
    EXPECT_EQ(ui.Modals(),
              QStringList({"TSampleForm", "TSampleForm", "TSampleForm", "TSampleForm"}));
}

TEST(ScriptedPlatform, NestedDialogsTakeTheExpectationsAfterTheModal) {
    ScriptedPlatform ui;
    ui.ExpectModal("TSampleForm", [](QDialog& d) {
        test::Click(d, "MoreBtn");
        return 3;
    });
    ui.ExpectConfirmation("Load?", MsgAnswer::Yes);  // the outer form activating
    ui.ExpectModal("TSampleForm", [](QDialog& d) {
        test::Click(d, "OKBtn");
        return 0;
    });
    ui.ExpectConfirmation("Load?", MsgAnswer::No);  // the nested form activating
    ui.ExpectError("after");

    TSampleForm form(true);
    EXPECT_EQ(ui::platform().ShowModal(form), 3);
    EXPECT_EQ(form.answer, MsgAnswer::Yes);
    EXPECT_EQ(form.subResult, QDialog::Accepted);
    ui::ShowError(std::runtime_error("after"));
    std::vector<Dlg> kinds;
    for (const auto& s : ui.Log()) kinds.push_back(s.kind);
    EXPECT_EQ(kinds,
              (std::vector<Dlg>{Dlg::Modal, Dlg::Message, Dlg::Modal, Dlg::Message, Dlg::Message}));
}

TEST(ScriptedPlatform, PrintJobWritesAPdf) {
    test::TempFolder folder;
    ScriptedPlatform ui(folder.QPath());
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Landscape);
    bool ok = ui::platform().RunPrintJob(printer, "Invoice 12", [](QPagedPaintDevice& device) {
        QPainter painter(&device);
        painter.drawText(QPointF(100, 100), "Thank you for shopping");
        device.newPage();
        painter.drawText(QPointF(100, 100), "Page two");
    });
    EXPECT_TRUE(ok);
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    const QString pdf = ui.PrintedFiles()[0];
    EXPECT_TRUE(pdf.startsWith(folder.QPath()));
    EXPECT_EQ(test::ReadBytes(pdf.toStdString()).substr(0, 5), "%PDF-");
    EXPECT_EQ(test::PdfPageCount(pdf), 2);
    EXPECT_TRUE(test::PdfText(pdf).contains("Thank you for shopping"));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(TestUtil, WorksNamedControls) {
    test::App();
    QWidget form;
    form.setObjectName("TForm");
    auto* spin = new QSpinBox(&form);
    spin->setObjectName("CopiesEdit");
    auto* combo = new QComboBox(&form);
    combo->setObjectName("KindBox");
    combo->addItems({"Cash", "Check"});
    auto* check = new QCheckBox("Tax", &form);
    check->setObjectName("TaxCheck");
    auto* label = new QLabel("Total: $1.00", &form);
    label->setObjectName("TotalLabel");

    test::SetText(form, "CopiesEdit", "3");
    EXPECT_EQ(spin->value(), 3);
    test::SetText(form, "KindBox", "Check");
    EXPECT_EQ(combo->currentIndex(), 1);
    test::SetChecked(form, "TaxCheck", true);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(test::TextOf(form, "TotalLabel"), "Total: $1.00");
    EXPECT_EQ(&test::Find<QWidget>(form, "TForm"), &form);

    EXPECT_NONFATAL_FAILURE(EXPECT_THROW(test::Click(form, "TotalLabel"), test::Abort),
                            "has no QAbstractButton named \"TotalLabel\" (there is a QLabel)");
    EXPECT_NONFATAL_FAILURE(test::SetText(form, "KindBox", "Card"), "has no entry \"Card\"");
}

// ---- the byte adapters ----

TEST(PlatformAdapters, ConvertStoreBytes) {
    ScriptedPlatform ui;
    ui.ExpectError("Caf\u00e9 \u20ac5", MsgAnswer::Ok);
    ui.ExpectInput("Name \u00e9", "Cr\u00e8me \u2013 br\u00fbl\u00e9e");
    ui.ExpectInputCancel();
    ui.ExpectInput({}, "Caf\u00e9");  // unchanged text typed back
    brenvik::Prompter& prompter = ui::platform();
    EXPECT_EQ(prompter.Message(MsgKind::Error,
                               "Caf\xE9 \x80"
                               "5",
                               MsgButtons::Ok),
              MsgAnswer::Ok);
    EXPECT_EQ(prompter.InputBox("", "Name \xE9", ""),
              "Cr\xE8me \x96 br\xFBl\xE9"
              "e");
    // Cancel gives the prefilled bytes back exactly, even when they are UTF-8.
    EXPECT_EQ(prompter.InputBox("", "", "Caf\xC3\xA9"), "Caf\xC3\xA9");
    EXPECT_EQ(prompter.InputBox("", "", "Caf\xE9"), "Caf\xE9");
}

// ---- text conversion ----

TEST(Text, EveryNonUtf8ByteStringRoundTrips) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += char(c);
    all += '\0';
    const QString shown = ui::ToQ(all);
    EXPECT_EQ(shown.size(), 256);
    EXPECT_EQ(ui::FromQ(shown), all);
}

TEST(Text, Conversions) {
    struct Case {
        std::string bytes;
        QString text;
    } cases[] = {
        {"Plain", "Plain"},
        {"Caf\xE9", "Caf\u00e9"},
        {"\x80 \x93quoted\x94 \x85", "\u20ac \u201cquoted\u201d \u2026"},
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008d\u008f\u0090\u009d"},
        {"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\u00e9 \u20ac"},  // UTF-8 shown as such
        {"\xEF\xBB\xBFx", QChar(0xFEFF) + QString("x")},   // a leading BOM is kept
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::ToQ(c.bytes), c.text) << c.bytes;
        if (c.bytes.find('\xC3') == std::string::npos &&
            c.bytes.find('\xEF') == std::string::npos) {
            EXPECT_EQ(ui::FromQ(c.text), c.bytes) << c.bytes;
        }
    }
    EXPECT_EQ(ui::FromQ("\u20ac \u00e9 \u65e5 \U0001F600!"), "\x80 \xE9 ? ?!");
    EXPECT_EQ(ui::FromQ(QString()), "");
    const std::string path = "/tmp/d\xC3\xA9j\xC3\xA0/Inventory.dt2";
    EXPECT_EQ(ui::PathToQ(path), "/tmp/d\u00e9j\u00e0/Inventory.dt2");
    EXPECT_EQ(ui::PathFromQ(ui::PathToQ(path)), path);
}

}  // namespace

#include "test_platform.moc"
