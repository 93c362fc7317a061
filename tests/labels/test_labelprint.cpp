// Printed label pages read back from the PDF: where each label's text lands,
// that outlines never print, the barcode's place and size, the printer
// calibration, and the two commands end to end.
#include "store/core/stringtable.h"
#include "store/labels/barcode.h"
#include "store/labels/screens/TLabelForm.h"
#include "store/labels/screens/TRTFForm.h"
#include "ui/previewwidget.h"

#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>

using namespace brenvik;
using namespace brenvik::length_literals;

namespace {

struct Word {
    QString text;
    double left, top;  // millimetres from the page's top-left corner
    int page;          // 1-based
};

// The words of a PDF with their boxes, in millimetres.
std::vector<Word> ReadWords(const QString& pdf) {
    std::vector<Word> words;
    for (const test::PdfWord& w : test::PdfWords(pdf))
        words.push_back({w.text, Length::Points(w.left).InMillimetres(),
                         Length::Points(w.top).InMillimetres(), w.page});
    return words;
}

const Word* FindWord(const std::vector<Word>& words, const QString& text) {
    for (const Word& w : words)
        if (w.text == text) return &w;
    return nullptr;
}

// Pictures in a PDF (pdfimages -list): none, when everything is vectors and text.
int PictureCount(const QString& pdf) {
    QProcess p;
    p.start("pdfimages", {"-list", pdf});
    EXPECT_TRUE(p.waitForFinished(30000));
    return int(QString::fromUtf8(p.readAllStandardOutput())
                   .split('\n', Qt::SkipEmptyParts)
                   .size()) -
           2;
}

// Page `page` of a PDF as a grey picture at `dpi`.
QImage PdfPage(const QString& pdf, int page, int dpi) {
    const QString base = pdf + ".page";
    QProcess p;
    p.start("pdftoppm", {"-gray", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                         QString::number(page), "-singlefile", pdf, base});
    EXPECT_TRUE(p.waitForFinished(30000));
    QImage image(base + ".pgm");
    EXPECT_FALSE(image.isNull()) << "pdftoppm gave no page";
    return image;
}

// The dark pixels' bounding box in millimetres, outside `skip` (mm).
QRectF DarkArea(const QImage& image, int dpi, const QRectF& skip = {}) {
    int minX = image.width(), minY = image.height(), maxX = -1, maxY = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QPointF mm(x * 25.4 / dpi, y * 25.4 / dpi);
            if (qGray(image.pixel(x, y)) > 128 || skip.contains(mm)) continue;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    if (maxX < 0) return {};
    const double k = 25.4 / dpi;
    return QRectF(minX * k, minY * k, (maxX + 1 - minX) * k, (maxY + 1 - minY) * k);
}

QRectF Mm(const LengthRect& r) {
    return QRectF(r.left.InMillimetres(), r.top.InMillimetres(), r.width.InMillimetres(),
                  r.height.InMillimetres());
}

constexpr double Tolerance = 0.35;  // mm

// A table from its rows, headings first.
StringTable Table(const std::vector<std::vector<std::string>>& rows) {
    StringTable t;
    t.SetSize(int(rows.front().size()), int(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) t.SetCell(int(c), int(r), rows[r][c]);
    return t;
}

StringTable HatInventory() { return Table({{"Item", "Bar Code"}, {"Hat", "12345670"}}); }

}  // namespace

TEST(LabelPrint, EveryTypePutsTextTwoMillimetresIntoEachLabel) {
    test::App();
    test::TempFolder dir;
    for (const LabelSheetType& type : LabelSheetTypes()) {
        SCOPED_TRACE(std::string(type.name));
        LabelRun run;
        run.type = &type;
        run.font = LabelFont("System", "6");
        for (int n = 1; n <= type.PerSheet() + 1; ++n)
            run.texts.push_back({"L" + std::to_string(n), "second"});
        ui::PageDocument doc;
        ComposeLabelPages(doc, run);
        const QString pdf = dir.QPath() + "sheet.pdf";
        ASSERT_TRUE(ui::SavePdf(pdf, doc));
        EXPECT_EQ(test::PdfPageCount(pdf), 2);  // one more than a sheet starts a page
        const auto words = ReadWords(pdf);
        for (int n = 1; n <= type.PerSheet() + 1; ++n) {
            const Word* w = FindWord(words, "L" + QString::number(n));
            ASSERT_NE(w, nullptr) << n;
            const LengthRect label = type.Label((n - 1) % type.PerSheet() + 1);
            EXPECT_EQ(w->page, n > type.PerSheet() ? 2 : 1);
            EXPECT_NEAR(w->left, label.left.InMillimetres() + 2, Tolerance) << n;
            EXPECT_NEAR(w->top, label.top.InMillimetres() + 2, Tolerance) << n;
        }
    }
}

TEST(LabelPrint, TheDialogPrintsWithoutOutlinesAndWithTheCalibration) {
    test::ScriptedPlatform ui;
    StringTable table = Table({{"Last Name", "First Name"}, {"Smith", "Anna"}, {"Jones", "Ben"}});
    CustomerList list;
    list.GridToList(table);
    WriteLabelCalibration({1.5_mm, -1_mm});

    TLabelForm form(list, 0);
    ui.ExpectMenu("First Name");
    form.Content().AddBtnClick();
    test::SetText(form, "PrintColumn", "2");
    test::SetText(form, "PrintRow", "3");
    ui.ExpectPrintDialog([](QPrinter& printer) {
        EXPECT_EQ(printer.toPage(), 1);  // the page count
        return true;
    });
    test::Click(form, "PrintBtn");
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    const QString pdf = ui.PrintedFiles()[0];

    const LabelSheetType& type = LabelSheetTypes().front();
    const LengthRect label = type.Label(8);
    const auto words = ReadWords(pdf);
    const Word* w = FindWord(words, "Anna");
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->left, label.left.InMillimetres() + 2 + 1.5, Tolerance);
    EXPECT_NEAR(w->top, label.top.InMillimetres() + 2 - 1, Tolerance);

    // Nothing but the text is printed: no outlines, no grey positions.
    const int dpi = 50;
    const QImage page = PdfPage(pdf, 1, dpi);
    const QRectF text = DarkArea(page, dpi);
    EXPECT_TRUE(Mm(label).adjusted(1.5, -1, 1.5, -1).contains(text));
    EXPECT_LT(text.width(), 15);

    // The preview shows every position used, grey, at the sheet's own place.
    const QImage screen = ui::RenderPageImage(form.Pages().Preview().Document(), 0, dpi);
    auto pixel = [&](const QImage& image, const LengthRect& r) {
        const QPointF mid = Mm(r).center() * dpi / 25.4;
        return qGray(image.pixel(int(mid.x()), int(mid.y())));
    };
    EXPECT_EQ(pixel(screen, type.Label(1)), 239);
    EXPECT_EQ(pixel(screen, type.Label(9)), 255);  // past the last label
    EXPECT_EQ(pixel(page, type.Label(1)), 255);
    EXPECT_TRUE(ui.Finish());
}

TEST(LabelPrint, CalibrationPageHasOutlinesAndARuler) {
    test::App();
    test::TempFolder dir;
    const LabelSheetType& type = *FindLabelSheetType("L7163_Address");
    ui::PageDocument doc;
    ComposeCalibrationPage(doc, type, {2_mm, 0_mm});
    const QString pdf = dir.QPath() + "calibration.pdf";
    ASSERT_TRUE(ui::SavePdf(pdf, doc));
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    EXPECT_TRUE(test::PdfText(pdf).contains("2.0 mm right"));
    // The outlines print, moved by the offset.
    const int dpi = 100;
    const QImage page = PdfPage(pdf, 1, dpi);
    const LengthRect last = type.Label(type.PerSheet());
    const QPointF edge((last.Right() + 2_mm).InMillimetres(), (last.top + 5_mm).InMillimetres());
    const QRectF around(edge - QPointF(0.4, 0.4), QSizeF(0.8, 0.8));
    QImage cut = page.copy(
        QRectF(around.topLeft() * dpi / 25.4, around.size() * dpi / 25.4).toAlignedRect());
    EXPECT_FALSE(DarkArea(cut, dpi).isEmpty());
}

// ---------------------------------------------------------------- barcode label

TEST(LabelPrint, BarcodeLabelDrawsBarsBelowTheTextFittedToTheLabel) {
    test::App();
    test::TempFolder dir;
    StringTable inventory = HatInventory();
    const std::vector<LabelEntry> entries = {{"Item", 100}, {"New Line", 1200}, {"Code", 110}};

    struct Case {
        const char* what;
        const char* type;
        int column, row;
    };
    const Case cases[] = {
        {"wide inner area: the width fits", "L7159_Address", 2, 3},
        {"flat inner area: the height fits", "L7170_Eurofolio", 1, 5},
        {"tall inner area", "L7171_LeverArch", 3, 1},
    };
    const BarcodeResult drawing = EncodeBarcode("bcCodeEAN8", "12345670", false);
    ASSERT_TRUE(drawing.Ok());
    double firstBar = kBarcodeWidth, lastBar = 0;
    for (const BarcodeBar& b : drawing.bars) {
        firstBar = std::min(firstBar, b.x);
        lastBar = std::max(lastBar, b.x + b.width);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BarcodeLabelInput input{c.type, c.column, c.row, "bcCodeEAN8", "12345670", false};
        const QFont font = LabelFont("System", "8");
        LabelRun run =
            BarcodeLabelRun(input, ItemLabelText(inventory, 1, entries), font, QColor(255, 0, 0));
        run.offset = {};
        ui::PageDocument doc;
        ComposeLabelPages(doc, run);
        ASSERT_EQ(doc.PageCount(), 1);
        const QString pdf = dir.QPath() + "barcode.pdf";
        ASSERT_TRUE(ui::SavePdf(pdf, doc));
        EXPECT_EQ(PictureCount(pdf), 0);  // bars are vectors

        const LabelSheetType& type = *FindLabelSheetType(c.type);
        const LengthRect label = type.Label(c.column, c.row);
        const auto words = ReadWords(pdf);
        const Word* hat = FindWord(words, "Hat");
        ASSERT_NE(hat, nullptr);
        EXPECT_NEAR(hat->left, label.left.InMillimetres() + 2, Tolerance);
        EXPECT_NEAR(hat->top, label.top.InMillimetres() + 2, Tolerance);

        // The bars: black, where the fit rules put them, moved down by two
        // text lines (the gap between them not counted).
        const int dpi = 150;
        QImage page = PdfPage(pdf, 1, dpi);
        const LengthRect fit = FitPicture(BarcodeArea(label), kBarcodeWidth, kBarcodeHeight);
        const double lineHeight = QFontMetricsF(font).height() / 96.0 * 25.4;  // mm at 96 dpi
        const double sx = fit.width.InMillimetres() / kBarcodeWidth;
        // Only the bars are pure black: the text is red, grey in the picture.
        QRectF bars;
        {
            int minX = page.width(), minY = page.height(), maxX = -1, maxY = -1;
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (qGray(page.pixel(x, y)) < 40) {
                        minX = std::min(minX, x), maxX = std::max(maxX, x);
                        minY = std::min(minY, y), maxY = std::max(maxY, y);
                    }
            ASSERT_GE(maxX, 0);
            const double k = 25.4 / dpi;
            bars = QRectF(minX * k, minY * k, (maxX + 1 - minX) * k, (maxY + 1 - minY) * k);
        }
        const double pixel = 25.4 / dpi + 0.1;
        EXPECT_NEAR(bars.left(), fit.left.InMillimetres() + firstBar * sx, pixel);
        EXPECT_NEAR(bars.right(), fit.left.InMillimetres() + lastBar * sx, pixel);
        EXPECT_NEAR(bars.top(), fit.top.InMillimetres() + 2 * lineHeight, 0.5);
        // Clipped to the label.
        EXPECT_LE(bars.bottom(), label.Bottom().InMillimetres() + pixel);
    }
}

TEST(LabelPrint, BarcodeLabelWindowPrintsOnlyItsPosition) {
    test::ScriptedPlatform ui;
    test::TempFolder dir;
    StringTable inventory = HatInventory();
    dir.Write("labset.set",
              LayoutBytes({"System", "10", 0, "", {{"Item", 100}}}, LayoutFile::LabelSettings));
    QDialog owner;
    const BarcodeLabelInput input{"L7159_Address", 2, 3, "bcCodeEAN8", "12345670", false};
    TRTFForm& w =
        OpenBarcodeLabelWindow(owner, inventory, dir.Path(), 1, [input] { return input; });
    ui.ExpectPrintDialog();
    test::Click(w, "BitBtn1");
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    const QString pdf = ui.PrintedFiles()[0];
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    EXPECT_EQ(PictureCount(pdf), 0);

    // The preview outlines all 24 positions; the printed page has text and
    // bars in the 8th only.
    const LabelSheetType& type = LabelSheetTypes().front();
    const int dpi = 50;
    const QImage screen = ui::RenderPageImage(w.Pages().Preview().Document(), 0, dpi);
    for (int n : {1, 8, 24}) {
        const QPointF mid = Mm(type.Label(n)).bottomRight() * dpi / 25.4 - QPointF(8, 8);
        EXPECT_EQ(qGray(screen.pixel(int(mid.x()), int(mid.y()))), 239) << n;
    }
    const QRectF dark = DarkArea(PdfPage(pdf, 1, dpi), dpi);
    EXPECT_FALSE(dark.isEmpty());
    EXPECT_TRUE(Mm(type.Label(8)).adjusted(-0.6, -0.6, 0.6, 0.6).contains(dark));
    w.close();
    EXPECT_TRUE(ui.Finish());
}

// ---------------------------------------------------------------- commands

namespace {

struct Ran {
    int status = -1;
    QString err;
};

Ran RunTool(const QStringList& args) {
    const QString tool = QString::fromStdString(test::ToolsDir()) + "/brenvik-data";
    QProcess p;
    p.start(tool, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << tool.toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

// A store of `customers` customers and two items, with a label data file
// "a.dld" and "labset.set".
void MakeStore(const test::TempFolder& dir, int customers) {
    StringTable c;
    c.SetSize(3, customers + 1);
    c.SetCell(0, 0, "Last Name");
    c.SetCell(1, 0, "First Name");
    c.SetCell(2, 0, "City");
    for (int r = 1; r <= customers; ++r) {
        c.SetCell(0, r, "Last" + std::to_string(r));
        c.SetCell(1, r, "First" + std::to_string(r));
        c.SetCell(2, r, "Oslo");
    }
    c.SaveToFile(dir.File("Customers.dt2"));
    Table({{"Item", "Bar Code", "Type"}, {"Hat", "12345670", "Wool"}, {"Cap", "", "Cotton"}})
        .SaveToFile(dir.File("Inventory.dt2"));

    LabelLayout layout;
    layout.fontSize = "9";
    layout.typeName = "L7159_Address";
    layout.entries = {{"First Name", 110}, {"Last Name", 100}, {"New Line", 1200}, {"City", 120}};
    dir.Write("a.dld", LayoutBytes(layout, LayoutFile::LabelData));
    layout.entries = {{"Item", 100}, {"Space", 1000}, {"Type", 120}};
    dir.Write("labset.set", LayoutBytes(layout, LayoutFile::LabelSettings));
}

}  // namespace

TEST(LabelCommands, LabelsAsTheDialogPrintsThem) {
    test::ScriptedPlatform ui;
    test::TempFolder dir;
    MakeStore(dir, 25);
    const QString out = dir.QPath() + "out.pdf";

    // 25 customers from column 2, row 3: 7 blank positions, 25 labels, 2 pages.
    Ran r = RunTool({"labels", dir.QPath(), "--layout", dir.QPath() + "a.dld", "--start-column",
                     "2", "--start-row", "3", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(test::PdfPageCount(out), 2);
    const auto words = ReadWords(out);
    const LabelSheetType& type = LabelSheetTypes().front();
    const Word* first = FindWord(words, "First1");
    ASSERT_NE(first, nullptr);
    EXPECT_NEAR(first->left, type.Label(8).left.InMillimetres() + 2, Tolerance);
    EXPECT_NEAR(first->top, type.Label(8).top.InMillimetres() + 2, Tolerance);
    const Word* last = FindWord(words, "First25");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->page, 2);
    EXPECT_NEAR(last->left, type.Label(8).left.InMillimetres() + 2, Tolerance);
    EXPECT_EQ(PictureCount(out), 0);

    // The same pages as the dialog prints for that file and start.
    CustomerList list;
    StringTable table;
    table.LoadFromFile(dir.File("Customers.dt2"));
    list.GridToList(table);
    TLabelForm form(list, -1);
    ui.ExpectConfirmation(test::Any(), MsgAnswer::Yes);
    ui.ExpectOpenFile(dir.QPath() + "a.dld");
    test::Click(form, "LoadLabelsBtn");
    test::SetText(form, "PrintColumn", "2");
    test::SetText(form, "PrintRow", "3");
    ui.ExpectPrintDialog();
    test::Click(form, "PrintBtn");
    ASSERT_EQ(ui.PrintedFiles().size(), 1);
    const auto printed = ReadWords(ui.PrintedFiles()[0]);
    ASSERT_EQ(printed.size(), words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(printed[i].text, words[i].text);
        EXPECT_NEAR(printed[i].left, words[i].left, 0.01);
        EXPECT_NEAR(printed[i].top, words[i].top, 0.01);
    }

    // Listed rows print in table order, once each.
    r = RunTool({"labels", dir.QPath(), "--layout", dir.QPath() + "a.dld", "--customers", "3,1,3",
                 "-o", out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QStringList names;
    for (const Word& w : ReadWords(out))
        if (w.text.startsWith("First")) names << w.text;
    EXPECT_EQ(names, QStringList({"First1", "First3"}));
    EXPECT_TRUE(ui.Finish());
}

TEST(LabelCommands, RefusalsAndBadArguments) {
    test::App();
    test::TempFolder dir;
    MakeStore(dir, 3);
    dir.Write("cut.dld", dir.Read("a.dld").substr(0, 20));
    const QString d = dir.QPath();
    const QString out = d + "out.pdf";
    struct Case {
        const char* what;
        QStringList args;
        int status;
    };
    const Case cases[] = {
        {"customer row past the table",
         {"labels", d, "--layout", d + "a.dld", "--customers", "4", "-o", out},
         1},
        {"row 0", {"labels", d, "--layout", d + "a.dld", "--customers", "0", "-o", out}, 2},
        {"not a number", {"labels", d, "--layout", d + "a.dld", "--customers", "x", "-o", out}, 2},
        {"missing label data file", {"labels", d, "--layout", d + "none.dld", "-o", out}, 2},
        {"truncated label data file", {"labels", d, "--layout", d + "cut.dld", "-o", out}, 2},
        {"start column past the type",
         {"labels", d, "--layout", d + "a.dld", "--start-column", "4", "-o", out},
         2},
        {"no output", {"labels", d, "--layout", d + "a.dld"}, 2},
        {"unknown option", {"labels", d, "--layout", d + "a.dld", "--colour", "red", "-o", out}, 2},
        {"not a folder", {"labels", d + "nothing", "--layout", d + "a.dld", "-o", out}, 2},
        {"item past the table",
         {"barcode-label", d, "--item", "3", "--type", "bcCodeEAN8", "--label-type",
          "L7159_Address", "-o", out},
         1},
        {"item without a bar code",
         {"barcode-label", d, "--item", "2", "--type", "bcCodeEAN8", "--label-type",
          "L7159_Address", "-o", out},
         1},
        {"unknown label type",
         {"barcode-label", d, "--item", "1", "--type", "bcCodeEAN8", "--label-type", "L9999", "-o",
          out},
         2},
        {"unknown barcode type",
         {"barcode-label", d, "--item", "1", "--type", "Fancy", "--label-type", "L7159_Address",
          "-o", out},
         2},
        {"row past the type",
         {"barcode-label", d, "--item", "1", "--type", "bcCodeEAN8", "--label-type",
          "L7159_Address", "--row", "9", "-o", out},
         2},
    };
    for (const Case& c : cases) {
        const Ran r = RunTool(c.args);
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.what;
        EXPECT_FALSE(QFile::exists(out)) << c.what;
    }
}

TEST(LabelCommands, BarcodeLabelAsTheWindowPrintsIt) {
    test::App();
    test::TempFolder dir;
    MakeStore(dir, 1);
    const QString out = dir.QPath() + "label.pdf";
    const Ran r =
        RunTool({"barcode-label", dir.QPath(), "--item", "1", "--type", "bcCodeEAN8",
                 "--label-type", "l7159_address", "--column", "2", "--row", "3", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(test::PdfPageCount(out), 1);
    EXPECT_EQ(PictureCount(out), 0);
    const auto words = ReadWords(out);
    const LengthRect label = LabelSheetTypes().front().Label(8);
    const Word* hat = FindWord(words, "Hat");
    ASSERT_NE(hat, nullptr);
    EXPECT_NEAR(hat->left, label.left.InMillimetres() + 2, Tolerance);
    EXPECT_NEAR(hat->top, label.top.InMillimetres() + 2, Tolerance);
    EXPECT_NE(FindWord(words, "Wool"), nullptr);
    // Bars inside the 8th label, nothing elsewhere.
    const int dpi = 50;
    const QRectF dark = DarkArea(PdfPage(out, 1, dpi), dpi);
    EXPECT_TRUE(Mm(label).adjusted(-0.6, -0.6, 0.6, 0.6).contains(dark));
}
