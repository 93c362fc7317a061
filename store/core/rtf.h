#pragma once
// Formatted text as rich-text (RTF) bytes: the paragraphs, fonts, sizes,
// styles and colours that the header and footer editors produce and that
// common word processors write for such text. The RTF bytes are in the
// Western code page as the files hold them; the document's text is UTF-8 so
// that characters outside that page survive as Unicode escapes. The editors
// and drawing convert to Qt in ui/richtext.h.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

struct RichFormat {
    std::string face = "Arial";  // UTF-8
    double size = 10;            // points, to the half point
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hasColor = false;    // false: the default text colour
    std::uint32_t color = 0;  // 0xRRGGBB
    bool operator==(const RichFormat&) const = default;
};

struct RichRun {
    std::string text;  // UTF-8; a tab stands as '\t'
    RichFormat format;
    bool operator==(const RichRun&) const = default;
};

struct RichParagraph {
    std::vector<RichRun> runs;
    RichFormat mark;  // the format of the paragraph's end (an empty line's height)
    bool operator==(const RichParagraph&) const = default;
};

struct RichDocument {
    std::vector<RichParagraph> paragraphs;
    bool operator==(const RichDocument&) const = default;
    bool Empty() const;
    // The plain text, paragraphs ended by "\n" except the last.
    std::string PlainText() const;
};

// The document as RTF: a paragraph mark after every paragraph but the last,
// characters beyond ASCII as code-page escapes or Unicode escapes.
std::string WriteRtf(const RichDocument& doc);

// Reads RTF; bytes that do not start with "{\rtf" are read as plain text in
// the Western code page, one paragraph per line. Damaged or hostile input
// gives what could be read, never more than the input's size in text.
RichDocument ReadRtf(std::string_view bytes);

// The number of lines of the text stored as `bytes` (0 for none), which is
// the number of printed rows kept free for it.
int RtfLineCount(std::string_view bytes);

}  // namespace brenvik
