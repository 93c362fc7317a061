#include "store/core/rtf.h"
#include "store/sales/screens/TSelectLogoForm.h"
#include "ui/fontconv.h"
#include "ui/pcx.h"

#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

using namespace brenvik;

namespace {

struct Fixture {
    test::ScriptedPlatform ui;
    test::TempFolder dir;
    Settings settings;
    Fixture() {
        QImage logo(30, 10, QImage::Format_RGB32);
        logo.fill(Qt::red);
        dir.Write("logo.pcx", ui::EncodePcx(logo, true));
        logo.save(QString::fromStdString(dir.File("other.bmp")), "BMP");
        dir.Write("bad.gif", "GIF89a broken");
    }
    bool LogoShown(TSelectLogoForm& form) {
        return test::Find<QPushButton>(form, "ClearLogoBtn").isEnabled() &&
               test::Find<QLabel>(form, "PicStat").isHidden();
    }
};

}  // namespace

TEST(SelectLogo, OpensWithTheStoredLogoAndTexts) {
    Fixture f;
    f.settings.logo = f.dir.File("logo.pcx");
    f.settings.header = brenvik::WriteRtf(brenvik::ReadRtf("The Hat Shop\r\nMain Street"));
    TSelectLogoForm form(f.settings);
    EXPECT_EQ(form.windowTitle(), "Invoice Setup");
    EXPECT_TRUE(f.LogoShown(form));
    EXPECT_EQ(test::Find<QTextEdit>(form, "HeaderText").toPlainText(), "The Hat Shop\nMain Street");
    EXPECT_TRUE(test::Find<QTextEdit>(form, "FooterText").toPlainText().isEmpty());

    // A path naming no file shows "No Logo File Selected".
    f.settings.logo = f.dir.File("gone.bmp");
    TSelectLogoForm none(f.settings);
    EXPECT_FALSE(f.LogoShown(none));
    EXPECT_EQ(test::TextOf(none, "PicStat"), "No Logo File Selected");
}

TEST(SelectLogo, ChoosingClearingAndCancelling) {
    Fixture f;
    f.settings.logo = f.dir.File("logo.pcx");
    TSelectLogoForm form(f.settings);

    f.ui.ExpectOpenFile(f.dir.QPath() + "bad.gif");
    f.ui.ExpectError("The selected image is invalid.");
    test::Click(form, "SelectLogoBtn");
    EXPECT_EQ(f.settings.logo, f.dir.File("logo.pcx"));

    f.ui.ExpectOpenFile(f.dir.QPath() + "other.bmp");
    test::Click(form, "SelectLogoBtn");
    EXPECT_EQ(f.settings.logo, f.dir.File("other.bmp"));  // taken at once
    EXPECT_EQ(f.ui.Log(test::Dlg::OpenFile).back().caption,
              "BMP (*.BMP *.bmp);;GIF (*.GIF *.gif);;JPEG (*.JPG *.jpg)");

    test::Click(form, "ClearLogoBtn");
    EXPECT_EQ(f.settings.logo, "");
    EXPECT_FALSE(f.LogoShown(form));

    test::Click(form, "CancelChangesBtn");
    EXPECT_EQ(f.settings.logo, f.dir.File("logo.pcx"));
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(f.ui.Finish());
}

TEST(SelectLogo, SaveStoresTextsAndFont) {
    Fixture f;
    const std::string oldHeader = f.settings.header;
    {
        // The close box keeps nothing but the logo chosen meanwhile.
        TSelectLogoForm form(f.settings);
        f.ui.ExpectOpenFile(f.dir.QPath() + "other.bmp");
        test::Click(form, "SelectLogoBtn");
        test::SetText(form, "HeaderText", "not kept");
        form.close();
        EXPECT_EQ(f.settings.header, oldHeader);
        EXPECT_EQ(f.settings.logo, f.dir.File("other.bmp"));
    }
    TSelectLogoForm form(f.settings);
    auto& header = test::Find<QTextEdit>(form, "HeaderText");
    header.setPlainText("Caf\u00e9 Corner\nOpen late");
    header.selectAll();
    test::Click(form, "BoldBtn");
    test::SetText(form, "FooterText", "Thank you");

    QFont chosen("DejaVu Sans");
    chosen.setPointSize(12);
    chosen.setBold(true);
    f.ui.ExpectFont(chosen);
    test::Click(form, "InvoiceFont");
    EXPECT_EQ(f.settings.font, FontRecord{});  // a working copy until saved

    test::Click(form, "SaveChangesBtn");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const brenvik::RichDocument doc = brenvik::ReadRtf(f.settings.header);
    EXPECT_EQ(doc.PlainText(), "Caf\xC3\xA9 Corner\nOpen late");
    EXPECT_TRUE(doc.paragraphs[0].runs[0].format.bold);
    EXPECT_EQ(brenvik::ReadRtf(f.settings.footer).PlainText(), "Thank you");
    EXPECT_EQ(brenvik::RtfLineCount(f.settings.header), 2);
    EXPECT_EQ(f.settings.font.face, "DejaVu Sans");
    EXPECT_EQ(f.settings.font.height, ui::PointsToHeight(12));
    EXPECT_EQ(f.settings.font.style, FontBold);
    EXPECT_EQ(f.settings.font.color, FontRecord{}.color);
    EXPECT_TRUE(f.ui.Finish());
}

TEST(SelectLogo, CopyAndPasteKeepTheFormatting) {
    Fixture f;
    TSelectLogoForm form(f.settings);
    auto& header = test::Find<QTextEdit>(form, "HeaderText");
    header.setPlainText("Big words");
    header.selectAll();
    test::Click(form, "ItalicBtn");
    test::Click(form, "BitBtn1");
    EXPECT_EQ(QApplication::clipboard()->text(), "Big words");
    test::Click(form, "BitBtn4");  // the footer's paste
    test::Click(form, "SaveChangesBtn");
    const brenvik::RichDocument footer = brenvik::ReadRtf(f.settings.footer);
    EXPECT_EQ(footer.PlainText(), "Big words");
    EXPECT_TRUE(footer.paragraphs[0].runs[0].format.italic);
}
