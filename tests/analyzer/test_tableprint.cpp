#include "analyzer/screens/printsettingsform.h"
#include "analyzer/screens/tableprint.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"
#include "ui/pageengine.h"

#include <QPushButton>

#include <QComboBox>
#include <QScrollArea>

#include <gtest/gtest.h>

using namespace pellard;

namespace {

brenvik::StringTable Table(int rows, int cols, const std::string& text = "Cell") {
    brenvik::StringTable t;
    t.SetSize(cols, rows + 1);
    for (int c = 0; c < cols; ++c) {
        t.SetCell(c, 0, "Heading " + std::to_string(c));
        for (int r = 1; r <= rows; ++r)
            t.SetCell(c, r, text + std::to_string(r) + "x" + std::to_string(c));
    }
    return t;
}

TEST(TablePrint, InitialSettingsAndTexts) {
    TablePrintSettings s;
    EXPECT_FALSE(s.printHeader || s.printFooter || s.printDate || s.printTime || s.pageNumbers ||
                 s.printTitle || s.borders || s.centered || s.repeatFixedRows ||
                 s.repeatFixedCols || s.fitToPage);
    EXPECT_EQ(s.borderStyle, Qt::SolidLine);
    EXPECT_EQ(
        s.leftMargin + s.topMargin + s.rightMargin + s.bottomMargin + s.colSpacing + s.rowSpacing,
        0);
    EXPECT_EQ(s.orientation, QPageLayout::Portrait);
    EXPECT_EQ(s.pageSeparator, "/");
    EXPECT_EQ(s.dateFormat, "dd/mm/yyyy");
    EXPECT_EQ(s.cellFont.family(), "MS Sans Serif");
    EXPECT_EQ(s.titleFont.pointSizeF(), 8);
    EXPECT_EQ(QtDateFormat("dd/mm/yyyy"), "dd/MM/yyyy");
    EXPECT_EQ(PageNumberText(2, 5, "/"), "Page 2/5");
}

TEST(TablePrint, PagesFollowRowsColumnsAndFitting) {
    test::App();
    TablePrintSettings s;
    const auto tall = Table(400, 3);
    const int portrait = TableDocument(tall, s).PageCount();
    EXPECT_GT(portrait, 1);
    s.orientation = QPageLayout::Landscape;
    EXPECT_GT(TableDocument(tall, s).PageCount(), portrait);  // fewer rows per page

    // A wide table runs over further pages of columns unless fitted.
    TablePrintSettings w;
    const auto wide = Table(5, 40, "A rather long cell text ");
    EXPECT_GT(TableDocument(wide, w).PageCount(), 1);
    w.fitToPage = true;
    EXPECT_EQ(TableDocument(wide, w).PageCount(), 1);
}

TEST(TablePrint, MenuSettingsDialogAndPrinting) {
    test::ScriptedPlatform ui;
    const auto table = Table(300, 3);
    TablePrintSettings settings;
    QPushButton button("Print");
    int built = 0;
    auto source = [&] {
        ++built;
        return table;
    };

    // Print Settings, confirmed: the changes are kept.
    ui.ExpectMenu("Print Settings");
    ui.ExpectModal("TPrintSettingsForm", [](QDialog& d) {
        auto& form = static_cast<TPrintSettingsForm&>(d);
        const int before = form.PreviewPageCount();
        test::SetChecked(d, "PageNumbers", true);
        test::SetChecked(d, "PrintTitle", true);
        test::SetText(d, "TitleText", "Monthly Summary");
        test::SetText(d, "TopMargin", "20");
        test::SetText(d, "BottomMargin", "20");
        test::Click(d, "CellFontBtn");
        EXPECT_GT(form.PreviewPageCount(), before);  // the preview follows
        // Zoom: the page is drawn wider than its box, which scrolls.
        auto& area = test::Find<QScrollArea>(d, "PreviewArea");
        auto& zoom = test::Find<QComboBox>(d, "PreviewZoom");
        zoom.setCurrentIndex(zoom.findText("200%"));
        EXPECT_GE(test::Find<QWidget>(d, "Preview").width(), 2 * area.viewport()->width() - 2);
        zoom.setCurrentIndex(zoom.findText("Fit"));
        EXPECT_TRUE(area.widgetResizable());
        test::Click(d, "OKBtn");
        return QDialog::Rejected;
    });
    ui.ExpectFont(QFont("DejaVu Sans", 10));  // asked by the dialog
    PrintButtonClick(&button, source, settings, "Report");
    EXPECT_EQ(settings.cellFont.pointSize(), 10);
    EXPECT_EQ(ui.Log(test::Dlg::Menu)[0].items, QStringList({"Print Settings", "Print"}));
    EXPECT_TRUE(settings.pageNumbers);
    EXPECT_EQ(settings.title, "Monthly Summary");
    EXPECT_EQ(settings.topMargin, 20);

    // Cancelled: nothing changes.
    ui.ExpectMenu("Print Settings");
    ui.ExpectModal("TPrintSettingsForm", [](QDialog& d) {
        test::SetChecked(d, "Borders", true);
        test::Click(d, "CancelBtn");
        return QDialog::Rejected;
    });
    PrintButtonClick(&button, source, settings, "Report");
    EXPECT_FALSE(settings.borders);

    // Print: the print dialog, then the pages.
    ui.ExpectMenu("Print");
    ui.ExpectPrintDialog(true);
    PrintButtonClick(&button, source, settings, "Report");
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    const QString pdf = ui.PrintedFiles()[0];
    const int pages = test::PdfPageCount(pdf);
    EXPECT_GT(pages, 1);
    const QString text = test::PdfText(pdf);
    EXPECT_TRUE(text.contains("Monthly Summary"));
    EXPECT_TRUE(text.contains("Cell300x2"));
    EXPECT_TRUE(text.contains(PageNumberText(pages, pages, "/")));

    ui.ExpectMenu("Print");
    ui.ExpectPrintDialog(false);
    PrintButtonClick(&button, source, settings, "Report");
    EXPECT_EQ(ui.PrintedFiles().size(), 1);

    // Nothing chosen: the table is not even built.
    const int before = built;
    ui.ExpectMenuNone();
    PrintButtonClick(&button, source, settings, "Report");
    EXPECT_EQ(built, before);
}

}  // namespace
