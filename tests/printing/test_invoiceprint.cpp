#include "store/core/rtf.h"
#include "store/sales/screens/InvoicePreviewPage.h"
#include "ui/pcx.h"
#include "ui/previewwidget.h"

#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <QProcess>

using namespace brenvik;

namespace {

struct Word {
    QString text;
    double x, y;  // top-left, inches
    int page;     // 1-based
};

// The words of a PDF with their boxes, in inches.
std::vector<Word> PdfWords(const QString& pdf) {
    std::vector<Word> words;
    for (const test::PdfWord& w : test::PdfWords(pdf))
        words.push_back({w.text, w.left / 72, w.top / 72, w.page});
    return words;
}

const Word* Find(const std::vector<Word>& words, const QString& text, int page = 0) {
    for (const Word& w : words)
        if (w.text == text && (page == 0 || w.page == page)) return &w;
    return nullptr;
}

// Number of pictures on each page (pdfimages -list).
std::vector<int> ImagesPerPage(const QString& pdf, int pages) {
    QProcess p;
    p.start("pdfimages", {"-list", pdf});
    EXPECT_TRUE(p.waitForFinished(20000));
    std::vector<int> counts(std::size_t(pages), 0);
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(' ', Qt::SkipEmptyParts);
        if (f.size() > 3 && f[2] == "image") {
            const int page = f[0].toInt();
            if (page >= 1 && page <= pages) ++counts[std::size_t(page - 1)];
        }
    }
    return counts;
}

InvoiceInput Sale(int lines) {
    InvoiceInput in;
    in.date = "2026/03/14";
    in.number = "1041";
    in.soldTo = {"Anna Smith", "12 High St"};
    for (int i = 0; i < lines; ++i)
        in.lines.push_back(
            {"Hat" + std::to_string(i), "B" + std::to_string(i), "$1.00", "1", "0", "$1.00"});
    in.preTax = "1.00";
    in.total = "1.00";
    in.amountReceived = "1.00";
    return in;
}

}  // namespace

TEST(InvoicePrint, TableStandsThreeInchesDownWithNumberAndDate) {
    test::ScriptedPlatform ui;
    Settings settings;
    InvoicePreviewPage page;
    page.CreateInvoice(Sale(2), settings);
    page.Preview().SetPaper(QPageSize(QPageSize::Letter));
    ASSERT_EQ(page.Preview().Document().PageCount(), 1);
    page.PrintCopies(1);
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    const auto words = PdfWords(ui.PrintedFiles()[0]);

    // Row 0 is empty; row 1 (13 pixels at 96 per inch lower) holds the date
    // line. Columns are 7.5 / 6 = 1.25 inches wide from the left margin.
    const double row = 13.0 / 96;
    const Word* invoice = Find(words, "INVOICE");
    ASSERT_TRUE(invoice);
    EXPECT_NEAR(invoice->x, 0.5, 0.03);
    EXPECT_NEAR(invoice->y, 3 + row, 0.05);
    const Word* date = Find(words, "2026/03/14");
    ASSERT_TRUE(date);
    EXPECT_NEAR(date->x, 0.5 + 2 * 1.25, 0.03);
    EXPECT_NEAR(date->y, invoice->y, 0.01);
    const Word* number = Find(words, "1041");
    ASSERT_TRUE(number);
    EXPECT_NEAR(number->x, 0.5 + 5 * 1.25, 0.03);
    EXPECT_NEAR(number->y, invoice->y, 0.01);
    const Word* heading = Find(words, "NUMBER:");
    ASSERT_TRUE(heading);
    EXPECT_GT(heading->x, 0.5 + 3 * 1.25);
    // Nothing stands above the table: no logo, no header text.
    for (const Word& w : words) EXPECT_GE(w.y, 3.0) << w.text.toStdString();
}

TEST(InvoicePrint, LongInvoiceContinuesWithTheLogoOnEveryPage) {
    test::ScriptedPlatform ui;
    test::TempFolder dir;
    QImage logo(300, 100, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    dir.Write("logo.pcx", ui::EncodePcx(logo, true));
    Settings settings;
    settings.logo = dir.File("logo.pcx");
    settings.header = brenvik::WriteRtf(brenvik::ReadRtf("The Hat Shop\r\nMain Street"));

    InvoicePreviewPage page;
    page.CreateInvoice(Sale(80), settings);
    const int pages = page.Preview().Document().PageCount();
    ASSERT_EQ(pages, 2);
    page.PrintCopies(2);
    ASSERT_EQ(ui.PrintedFiles().size(), 2);  // one file per copy
    const QString pdf = ui.PrintedFiles()[1];
    EXPECT_EQ(test::PdfPageCount(pdf), 2);
    EXPECT_EQ(ImagesPerPage(pdf, 2), std::vector<int>({1, 1}));

    const auto words = PdfWords(pdf);
    ASSERT_TRUE(Find(words, "Shop", 1));
    EXPECT_FALSE(Find(words, "Shop", 2));
    // The second page's rows start again 3 inches down.
    double top2 = 99;
    for (const Word& w : words)
        if (w.page == 2) top2 = std::min(top2, w.y);
    EXPECT_NEAR(top2, 3.0, 0.05);
    // No row runs past the bottom margin.
    for (const Word& w : words) EXPECT_LT(w.y, 11 - 0.5) << w.text.toStdString();
    EXPECT_TRUE(Find(words, "HAT79", 2));
}

TEST(InvoicePrint, LogoBoxAndLoaderFailure) {
    // The header band of a Letter page runs from 0.5 to 8 inches; the box
    // reaches half an inch beyond it.
    const QRectF band(0.5, 1, 7.5, 2);
    EXPECT_EQ(InvoiceLogoBox(band), QRectF(0.5, 0.5, 8, 2));
    EXPECT_EQ(InvoiceLogoRect(band, QSize(300, 100)), QRectF(0.5, 0.5, 6, 2));
    EXPECT_EQ(InvoiceLogoRect(band, QSize(800, 100)), QRectF(0.5, 0.5, 8, 1));
    EXPECT_EQ(InvoiceLogoRect(band, QSize(100, 200)), QRectF(0.5, 0.5, 1, 2));

    test::ScriptedPlatform ui;
    test::TempFolder dir;
    dir.Write("broken.jpg", "not a picture");
    Settings settings;
    for (const std::string& logo : {dir.File("broken.jpg"), dir.File("missing.bmp")}) {
        settings.logo = logo;
        InvoicePreviewPage page;
        page.CreateInvoice(Sale(1), settings);
        page.PrintCopies(1);
    }
    ASSERT_EQ(ui.PrintedFiles().size(), 2);
    for (const QString& pdf : ui.PrintedFiles())
        EXPECT_EQ(ImagesPerPage(pdf, 1), std::vector<int>({0}));
    EXPECT_TRUE(ui.Messages().isEmpty());
}

TEST(InvoicePrint, PrintButtonAndPaperChange) {
    test::ScriptedPlatform ui;
    Settings settings;
    InvoicePreviewPage page;
    page.CreateInvoice(Sale(40), settings);
    EXPECT_EQ(page.Preview().Document().PageCount(), 1);
    // A smaller paper lays the same invoice out again.
    page.Preview().SetPaper(QPageSize(QPageSize::A5));
    EXPECT_EQ(page.Preview().Document().PageCount(), 2);
    EXPECT_EQ(page.Preview().PageText(), "Page 1 of 2");
    test::Click(page, "NextPageBtn");
    EXPECT_EQ(page.Preview().PageText(), "Page 2 of 2");

    ui.ExpectInformation("Invoice sent to the printer.");
    test::Click(page, "PrintBtn");
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    EXPECT_EQ(test::PdfPageCount(ui.PrintedFiles()[0]), 2);

    ui.ExpectPrinterSetup(false);
    test::Click(page, "BitBtn1");
    EXPECT_TRUE(ui.Finish());
}
