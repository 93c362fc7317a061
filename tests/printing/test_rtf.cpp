#include "store/core/rtf.h"
#include "ui/richtext.h"

#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTextEdit>

namespace brenvik {
void PrintTo(const RichFormat& f, std::ostream* os) {
    *os << f.face << " " << f.size << (f.bold ? " b" : "") << (f.italic ? " i" : "")
        << (f.underline ? " u" : "") << (f.strike ? " s" : "")
        << (f.hasColor ? " #" + std::to_string(f.color) : std::string());
}
void PrintTo(const RichDocument& d, std::ostream* os) {
    for (const auto& p : d.paragraphs) {
        *os << "\n[";
        PrintTo(p.mark, os);
        *os << "]";
        for (const auto& r : p.runs) {
            *os << " {" << r.text << " / ";
            PrintTo(r.format, os);
            *os << "}";
        }
    }
}
}  // namespace brenvik

using namespace brenvik;
using namespace ui;

namespace {

RichFormat Fmt(const char* face, double size, bool b = false, bool i = false, bool u = false,
               bool s = false, int color = -1) {
    RichFormat f;
    f.face = face;
    f.size = size;
    f.bold = b;
    f.italic = i;
    f.underline = u;
    f.strike = s;
    if (color >= 0) {
        f.hasColor = true;
        f.color = std::uint32_t(color);
    }
    return f;
}

RichDocument Sample() {
    RichDocument d;
    RichParagraph p1;
    p1.runs = {{"Caf\xC3\xA9 ", Fmt("Arial", 16, true)},
               {"Corner", Fmt("Arial", 16, true, false, false, false, 0xFF0000)}};
    p1.mark = p1.runs.back().format;
    RichParagraph p2;
    p2.runs = {{"12 High St {Unit 4}\t\\", Fmt("Times New Roman", 10.5, false, true)},
               {"Open", Fmt("Times New Roman", 10, false, false, true)},
               {" late", Fmt("Times New Roman", 10, false, false, false, true)}};
    p2.mark = p2.runs.back().format;
    RichParagraph empty;
    empty.mark = Fmt("Arial", 20);
    RichParagraph p3;
    p3.runs = {
        {"Price \xE2\x82\xAC"
         "5 \xCE\xA9 \xE2\x80\x94 ok",
         Fmt("Courier New", 12, false, false, false, false, 0x000080)}};
    p3.mark = p3.runs.back().format;
    d.paragraphs = {p1, p2, empty, p3};
    return d;
}

QString Squeeze(QString s) { return s.replace(QRegularExpression("\\s+"), " ").trimmed(); }

}  // namespace

TEST(Rtf, OurWriterReadsBackExactly) {
    const RichDocument doc = Sample();
    const std::string bytes = WriteRtf(doc);
    EXPECT_EQ(bytes.rfind("{\\rtf1", 0), 0u);
    for (unsigned char c : bytes) EXPECT_LT(c, 0x80) << "RTF is 7-bit text";
    EXPECT_EQ(ReadRtf(bytes), doc);
    EXPECT_EQ(RtfLineCount(bytes), 4);
    EXPECT_EQ(RtfLineCount(WriteRtf(RichDocument{})), 0);
    EXPECT_EQ(RtfLineCount(""), 0);
}

TEST(Rtf, UnrtfReadsOurTextTheSame) {
    test::TempFolder dir;
    RichDocument doc = Sample();
    doc.paragraphs[2].runs.clear();
    dir.Write("ours.rtf", WriteRtf(doc));
    QProcess unrtf;
    unrtf.start("unrtf", {"--text", dir.QPath() + "ours.rtf"});
    ASSERT_TRUE(unrtf.waitForFinished(10000));
    QString out = QString::fromLatin1(unrtf.readAllStandardOutput());
    // unrtf puts its own lines, starting "###", and a rule before the text.
    const qsizetype rule = out.indexOf("-----------------\n");
    if (rule >= 0) out = out.mid(rule + 18);
    QStringList lines;
    for (const QString& line : out.split('\n'))
        if (!line.startsWith("###")) lines << line;
    const QString text = Squeeze(lines.join(' '));
    // unrtf writes characters beyond its code page in its own way; compare
    // the ASCII and Latin-1 text.
    EXPECT_TRUE(text.startsWith("Caf" + QString(QChar(0xE9)) +
                                " Corner 12 High St {Unit 4} \\Open late Price"))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith("ok")) << text.toStdString();
}

TEST(Rtf, DocumentFromAWordProcessor) {
    const RichDocument doc = ReadRtf(test::FixtureBytes("printing/fixtures/wordpad.rtf"));
    ASSERT_EQ(doc.paragraphs.size(), 4u);
    EXPECT_EQ(doc.PlainText(),
              "Caf\xC3\xA9 Corner\n12 High St {Unit 4}\tOpen late\n"
              "Price \xE2\x82\xAC"
              "5 \xE2\x80\x94 \xE2\x80\x99ok\xE2\x80\x99\nnext");
    const auto& first = doc.paragraphs[0].runs;
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].format, Fmt("Arial", 16, true));
    EXPECT_EQ(first[1].format, Fmt("Arial", 16, true, false, false, false, 0xFF0000));
    const auto& second = doc.paragraphs[1].runs;
    EXPECT_EQ(second.front().format, Fmt("Times New Roman", 10, false, true));
    bool underlined = false, struck = false;
    for (const auto& r : second) {
        if (r.text == "Open") underlined = r.format.underline;
        if (r.text == "late") struck = r.format.strike;
    }
    EXPECT_TRUE(underlined);
    EXPECT_TRUE(struck);
    EXPECT_EQ(doc.paragraphs[2].runs.front().format,
              Fmt("Arial", 12, false, false, false, false, 0x000080));
}

TEST(Rtf, PlainTextAndHostileInput) {
    EXPECT_EQ(ReadRtf("one\r\ntwo").PlainText(), "one\ntwo");
    EXPECT_EQ(RtfLineCount("one\r\ntwo"), 2);
    // Unbalanced, deeply nested, cut-off escapes, huge numbers: no crash.
    const std::string cases[] = {
        "{\\rtf1 abc",
        "{\\rtf1 }}}}} x",
        "{\\rtf1 " + std::string(100000, '{') + "deep" + std::string(100000, '}'),
        "{\\rtf1 \\'",
        "{\\rtf1 \\u",
        "{\\rtf1 \\fs99999999999999 big\\cf999 c\\f-5 x\\bin999999999 }",
        "{\\rtf1 {\\colortbl \\red999;}\\cf1 a}",
    };
    for (const auto& c : cases) {
        const RichDocument d = ReadRtf(c);
        EXPECT_LE(d.PlainText().size(), c.size());
    }
    EXPECT_EQ(ReadRtf("{\\rtf1 abc").PlainText(), "abc");
}

TEST(Rtf, CharactersOutsideTheCodePage) {
    // A character beyond 16 bits is written as the two halves of its UTF-16
    // form and joined again on reading.
    RichParagraph p;
    p.runs.push_back({"a\xF0\x9F\x98\x80!", {}});
    RichDocument doc;
    doc.paragraphs.push_back(p);
    const std::string bytes = WriteRtf(doc);
    EXPECT_NE(bytes.find("a\\u-10179?\\u-8704?!"), std::string::npos) << bytes;
    EXPECT_EQ(ReadRtf(bytes), doc);

    const struct {
        std::string in, text;
    } cases[] = {
        {"Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC"},  // plain text in the code page
        {"Caf\xC3\xA9", "Caf\xC3\xA9"},                // plain text that is UTF-8
        {"{\\rtf1 \\'e9\\'80\xE9}", "\xC3\xA9\xE2\x82\xAC\xC3\xA9"},
        {"{\\rtf1 \\u-10179?x}", "\xEF\xBF\xBDx"},  // a first half alone
        {"{\\rtf1 \\u-8704?x}", "\xEF\xBF\xBDx"},   // a second half alone
        {"{\\rtf1 \\u-10179?\\u-10179?\\u-8704?}", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadRtf(c.in).PlainText(), c.text) << c.in;
}

TEST(Rtf, EditorsSaveAndLoad) {
    test::App();
    QTextEdit editor;
    LoadRichEdit(editor, WriteRtf(Sample()));
    EXPECT_EQ(editor.toPlainText().toStdString(), Sample().PlainText());
    const RichDocument back = ReadRtf(SaveRichEdit(editor));
    EXPECT_EQ(back.PlainText(), Sample().PlainText());
    EXPECT_EQ(back.paragraphs[0].runs[1].format, Sample().paragraphs[0].runs[1].format);
    EXPECT_EQ(back.paragraphs[1].runs[0].format, Sample().paragraphs[1].runs[0].format);
    LoadRichEdit(editor, "");
    EXPECT_TRUE(editor.toPlainText().isEmpty());
    EXPECT_EQ(RtfLineCount(SaveRichEdit(editor)), 0);
}
