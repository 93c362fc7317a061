#include "store/core/rtf.h"

#include "store/core/codepage.h"
#include "store/core/utf8.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace brenvik {

bool RichDocument::Empty() const {
    for (const auto& p : paragraphs)
        for (const auto& r : p.runs)
            if (!r.text.empty()) return false;
    return true;
}

std::string RichDocument::PlainText() const {
    std::string out;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i) out += '\n';
        for (const auto& r : paragraphs[i].runs) out += r.text;
    }
    return out;
}

// ---------------------------------------------------------------- writing

namespace {

// Text read from a file: UTF-8 when it is well-formed UTF-8, otherwise code
// page bytes, as the screens show such text.
std::string TextOf(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : WesternToUtf8(bytes);
}

void AppendUnicodeEscape(std::string& out, char32_t c) {
    // \u takes a signed 16-bit number; '?' for readers without Unicode.
    char buf[16];
    std::snprintf(buf, sizeof buf, "\\u%d?", int(static_cast<short>(c)));
    out += buf;
}

void AppendEscaped(std::string& out, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0xFFFD;  // a byte that is not UTF-8
        const std::size_t n = DecodeUtf8(utf8, i, c);
        i += n ? n : 1;
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c >= 0x20 && c < 0x80) {
            out += char(c);
        } else if (c < 0x20) {
            // other control characters have no place in the text
        } else if (const auto byte = UnicodeToWestern(c)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\'%02x", unsigned(*byte));
            out += buf;
        } else if (c > 0xFFFF) {
            // beyond 16 bits: the two halves of its UTF-16 form
            AppendUnicodeEscape(out, 0xD800 + ((c - 0x10000) >> 10));
            AppendUnicodeEscape(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            AppendUnicodeEscape(out, c);
        }
    }
}

struct Tables {
    std::vector<std::string> fonts;
    std::vector<std::uint32_t> colors;  // entry 0 is the default colour
    int Font(const std::string& face) {
        auto it = std::find(fonts.begin(), fonts.end(), face);
        if (it != fonts.end()) return int(it - fonts.begin());
        fonts.push_back(face);
        return int(fonts.size()) - 1;
    }
    int Color(const RichFormat& f) {
        if (!f.hasColor) return 0;
        auto it = std::find(colors.begin(), colors.end(), f.color);
        if (it != colors.end()) return int(it - colors.begin()) + 1;
        colors.push_back(f.color);
        return int(colors.size());
    }
};

std::string FormatCodes(Tables& t, const RichFormat& f) {
    std::string s = "\\plain\\f" + std::to_string(t.Font(f.face)) + "\\fs" +
                    std::to_string(int(f.size * 2 + 0.5));
    if (f.bold) s += "\\b";
    if (f.italic) s += "\\i";
    if (f.underline) s += "\\ul";
    if (f.strike) s += "\\strike";
    if (const int c = t.Color(f)) s += "\\cf" + std::to_string(c);
    return s + " ";
}

}  // namespace

std::string WriteRtf(const RichDocument& doc) {
    Tables t;
    t.Font(RichFormat{}.face);
    std::string body;
    for (const auto& p : doc.paragraphs) {
        body += "\\pard";
        if (p.runs.empty()) body += FormatCodes(t, p.mark);
        for (const auto& r : p.runs) {
            body += FormatCodes(t, r.format);
            AppendEscaped(body, r.text);
        }
        body += "\\par\r\n";
    }
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (std::size_t i = 0; i < t.fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
        AppendEscaped(out, t.fonts[i]);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (std::uint32_t c : t.colors)
        out += "\\red" + std::to_string((c >> 16) & 0xFF) + "\\green" +
               std::to_string((c >> 8) & 0xFF) + "\\blue" + std::to_string(c & 0xFF) + ";";
    out += "}\r\n" + body + "}\r\n";
    return out;
}

// ---------------------------------------------------------------- reading

namespace {

constexpr int MaxDepth = 200;

enum class Dest { Text, FontTable, ColorTable, Skip };

struct State {
    RichFormat fmt;
    int font = -1;  // font number; its face is looked up when text comes
    int uc = 1;
    Dest dest = Dest::Text;
};

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    RichDocument Read() {
        State initial;
        initial.fmt.size = 12;  // the size of text that names none
        stack_.push_back(initial);
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                Open();
            } else if (c == '}') {
                Close();
                if (stack_.size() <= 1 && started_) break;
            } else if (c == '\\') {
                Control();
            } else if (c == '\r' || c == '\n') {
                // line ends in the file are not text
            } else {
                Byte(static_cast<unsigned char>(c));
            }
        }
        if (!current_.runs.empty()) doc_.paragraphs.push_back(std::move(current_));
        return std::move(doc_);
    }

private:
    State& S() { return stack_.back(); }

    void Open() {
        if (depth_ >= MaxDepth) {
            ++overflow_;
            return;
        }
        ++depth_;
        stack_.push_back(S());
        if (depth_ == 1) started_ = true;
        // A group of the font table starts a font entry, unless it stands
        // inside one (an alternative name, a panose number).
        if (S().dest == Dest::FontTable && fontNum_ < 0) fontName_.clear();
    }
    void Close() {
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (depth_ == 0) return;
        --depth_;
        const Dest was = S().dest;
        stack_.pop_back();
        if (was == Dest::FontTable && S().dest == Dest::FontTable) EndFontEntry();
    }

    // One control word or symbol after a backslash.
    void Control() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            Symbol(c);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) &&
               word.size() < 32)
            word += in_[pos_++];
        bool hasArg = false;
        bool negative = false;
        long arg = 0;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            hasArg = true;
            if (arg < 100000000) arg = arg * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (negative) arg = -arg;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        Word(word, hasArg, arg);
    }

    void Symbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Byte(static_cast<unsigned char>(c));
            break;
        case '\'': {
            if (pos_ + 2 > in_.size()) {
                pos_ = in_.size();
                return;
            }
            const std::string hex(in_.substr(pos_, 2));
            pos_ += 2;
            char* end = nullptr;
            const long v = std::strtol(hex.c_str(), &end, 16);
            if (end != hex.c_str() + 2) return;
            if (skipChars_ > 0) {
                --skipChars_;
                return;
            }
            if (S().dest == Dest::FontTable) {
                fontName_ += char(v);
            } else if (S().dest == Dest::Text) {
                Append(WesternToUtf8(std::string(1, char(v))));
            }
            break;
        }
        case '*':
            S().dest = Dest::Skip;
            break;
        case '~':
            Text(char32_t(0xA0));
            break;
        case '_':
            Text(char32_t('-'));
            break;
        case '\r':
        case '\n':
            EndParagraph();
            break;
        default:
            break;  // \- optional hyphen, \| and others draw nothing
        }
    }

    void Word(const std::string& w, bool hasArg, long arg) {
        State& s = S();
        const bool on = !hasArg || arg != 0;
        static const char* const skipped[] = {"info",
                                              "stylesheet",
                                              "pict",
                                              "header",
                                              "headerl",
                                              "headerr",
                                              "headerf",
                                              "footer",
                                              "footerl",
                                              "footerr",
                                              "footerf",
                                              "footnote",
                                              "object",
                                              "fldinst",
                                              "pntext",
                                              "pntxta",
                                              "pntxtb",
                                              "listtable",
                                              "listoverridetable",
                                              "revtbl",
                                              "rsidtbl",
                                              "xmlnstbl",
                                              "themedata",
                                              "colorschememapping",
                                              "latentstyles",
                                              "datastore",
                                              "generator",
                                              "filetbl",
                                              "nonshppict",
                                              "shp",
                                              "bkmkstart",
                                              "bkmkend",
                                              "annotation",
                                              "atnid",
                                              "atnauthor"};
        if (std::find(std::begin(skipped), std::end(skipped), w) != std::end(skipped)) {
            s.dest = Dest::Skip;
            return;
        }
        if (w == "bin") {
            pos_ = std::min(in_.size(), pos_ + std::size_t(std::max(0L, arg)));
            return;
        }
        if (s.dest == Dest::Skip) return;
        if (w == "fonttbl") {
            s.dest = Dest::FontTable;
            fontName_.clear();
        } else if (w == "colortbl") {
            s.dest = Dest::ColorTable;
        } else if (s.dest == Dest::FontTable) {
            if (w == "f") fontNum_ = int(arg);
        } else if (s.dest == Dest::ColorTable) {
            const int v = int(std::clamp(arg, 0L, 255L));
            if (w == "red") red_ = v, anyColor_ = true;
            else if (w == "green") green_ = v, anyColor_ = true;
            else if (w == "blue") blue_ = v, anyColor_ = true;
        } else if (w == "deff") {
            defaultFont_ = int(arg);
        } else if (w == "plain") {
            s.fmt = RichFormat{};
            s.fmt.size = 12;
            s.font = -1;
        } else if (w == "f") {
            s.font = int(arg);
        } else if (w == "fs") {
            if (arg > 0) s.fmt.size = std::min(arg, 3276L) / 2.0;
        } else if (w == "b") {
            s.fmt.bold = on;
        } else if (w == "i") {
            s.fmt.italic = on;
        } else if (w == "ulnone") {
            s.fmt.underline = false;
        } else if (w.rfind("ul", 0) == 0 && w.size() <= 8 && w != "ulc") {
            s.fmt.underline = on;
        } else if (w == "strike" || w == "striked") {
            s.fmt.strike = on;
        } else if (w == "cf") {
            // Entry 0 is usually the empty one: the default colour.
            if (arg >= 0 && std::size_t(arg) < colors_.size()) {
                s.fmt.hasColor = colors_[std::size_t(arg)].first;
                s.fmt.color = colors_[std::size_t(arg)].second;
            } else {
                s.fmt.hasColor = false;
                s.fmt.color = 0;
            }
        } else if (w == "uc") {
            s.uc = int(std::clamp(arg, 0L, 10L));
        } else if (w == "u") {
            long v = arg < 0 ? arg + 65536 : arg;
            Text(char32_t(v & 0xFFFF));
            skipChars_ = s.uc;
        } else if (w == "par" || w == "line" || w == "sect" || w == "page") {
            EndParagraph();
        } else if (w == "tab") {
            Text(char32_t('\t'));
        } else if (w == "emdash") {
            Text(char32_t(0x2014));
        } else if (w == "endash") {
            Text(char32_t(0x2013));
        } else if (w == "bullet") {
            Text(char32_t(0x2022));
        } else if (w == "lquote") {
            Text(char32_t(0x2018));
        } else if (w == "rquote") {
            Text(char32_t(0x2019));
        } else if (w == "ldblquote") {
            Text(char32_t(0x201C));
        } else if (w == "rdblquote") {
            Text(char32_t(0x201D));
        } else if (w == "emspace" || w == "enspace" || w == "qmspace") {
            Text(char32_t(' '));
        }
    }

    void Byte(unsigned char b) {
        if (skipChars_ > 0) {
            --skipChars_;
            return;
        }
        switch (S().dest) {
        case Dest::Text:
            Append(WesternToUtf8(std::string(1, char(b))));
            break;
        case Dest::FontTable:
            if (b == ';') EndFontEntry();
            else fontName_ += char(b);
            break;
        case Dest::ColorTable:
            if (b == ';') {
                colors_.emplace_back(anyColor_,
                                     (std::uint32_t(red_) << 16) | (green_ << 8) | blue_);
                red_ = green_ = blue_ = 0;
                anyColor_ = false;
            }
            break;
        case Dest::Skip:
            break;
        }
    }

    // One character of a control word; the halves of a character beyond
    // 16 bits come as two and are joined here.
    void Text(char32_t ch) {
        if (S().dest != Dest::Text) return;
        if (ch >= 0xD800 && ch <= 0xDBFF) {
            FlushHalf();
            high_ = ch;
            return;
        }
        if (ch >= 0xDC00 && ch <= 0xDFFF) {
            ch = high_ ? 0x10000 + ((high_ - 0xD800) << 10) + (ch - 0xDC00) : 0xFFFD;
            high_ = 0;
        }
        std::string utf8;
        AppendUtf8(utf8, ch);
        Append(utf8);
    }

    // A first half with no second half stands for nothing readable.
    void FlushHalf() {
        if (!high_) return;
        high_ = 0;
        Append("\xEF\xBF\xBD");
    }

    void EndFontEntry() {
        if (fontNum_ >= 0) {
            std::string name = fontName_;
            while (!name.empty() && name.front() == ' ') name.erase(name.begin());
            while (!name.empty() && name.back() == ' ') name.pop_back();
            if (!name.empty()) fonts_[fontNum_] = TextOf(name);
        }
        fontName_.clear();
        fontNum_ = -1;
    }

    RichFormat Current() {
        RichFormat f = S().fmt;
        const int font = S().font >= 0 ? S().font : defaultFont_;
        auto it = fonts_.find(font);
        if (it != fonts_.end()) f.face = it->second;
        return f;
    }

    void Append(const std::string& text) {
        if (S().dest != Dest::Text) return;
        if (high_) FlushHalf();
        const RichFormat f = Current();
        if (current_.runs.empty() || !(current_.runs.back().format == f))
            current_.runs.push_back(RichRun{{}, f});
        current_.runs.back().text += text;
    }

    void EndParagraph() {
        if (S().dest != Dest::Text) return;
        current_.mark = Current();
        doc_.paragraphs.push_back(std::move(current_));
        current_ = RichParagraph{};
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<State> stack_;
    int depth_ = 0;
    int overflow_ = 0;
    bool started_ = false;
    int skipChars_ = 0;
    std::map<int, std::string> fonts_;
    int defaultFont_ = 0;
    int fontNum_ = -1;
    std::string fontName_;
    std::vector<std::pair<bool, std::uint32_t>> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool anyColor_ = false;
    char32_t high_ = 0;  // a first half waiting for its second
    RichDocument doc_;
    RichParagraph current_;
};

}  // namespace

RichDocument ReadRtf(std::string_view bytes) {
    if (bytes.substr(0, 5) == "{\\rtf") return Reader(bytes).Read();
    RichDocument doc;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        RichParagraph p;
        if (end > start) p.runs.push_back(RichRun{TextOf(bytes.substr(start, end - start)), {}});
        doc.paragraphs.push_back(std::move(p));
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return doc;
}

int RtfLineCount(std::string_view bytes) {
    if (bytes.empty()) return 0;
    const RichDocument doc = ReadRtf(bytes);
    return doc.Empty() ? 0 : int(doc.paragraphs.size());
}

}  // namespace brenvik
