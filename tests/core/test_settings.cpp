#include "store/core/safefile.h"
#include "store/core/settings.h"
#include "store/core/stream.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>

using namespace brenvik;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    return std::string(values.begin(), values.end());
}

// A length byte and the text.
std::string Named(const std::string& text) { return char(text.size()) + text; }

std::string DefaultSettingsBytes() {
    std::string b;
    b += Bytes({6, 0});
    b += Bytes({6, 1, '1'});
    b += Bytes({6, 0});
    b += Bytes({2, 0});
    b += Bytes({2, 0});
    b += "TPF0" + Named("TFontDialog") + Named("InvoiceFont");
    b += Named("Font.Charset") + Bytes({7}) + Named("DEFAULT_CHARSET");
    b += Named("Font.Color") + Bytes({7}) + Named("clWindowText");
    b += Named("Font.Height") + Bytes({2, 245});
    b += Named("Font.Name") + Bytes({6}) + Named("MS Sans Serif");
    b += Named("Font.Style") + Bytes({11, 0});
    b += Named("MinFontSize") + Bytes({2, 0});
    b += Named("MaxFontSize") + Bytes({2, 0});
    b += Named("Left") + Bytes({2, 16});
    b += Named("Top") + Bytes({3, 160, 1});
    b += Bytes({0, 0});
    b += Bytes({8, 8});
    b += Bytes({6, 1, '0', 6, 1, '0'});
    b += Bytes({6}) + Named("Tax One");
    b += Bytes({6}) + Named("Tax Two");
    return b;
}

std::string Settings2Bytes(int copiesTag, int copies, int flag) {
    std::string b = Bytes({copiesTag, copies});
    for (int i = 0; i < 100; ++i) b += Bytes({6, 0});
    b += Bytes({2, flag});
    for (int i = 0; i < 99; ++i) b += Bytes({2, 0});
    return b;
}

Settings Changed() {
    Settings s;
    s.reserved = "kept";
    s.nextInvoice = "1043";
    s.logo = "/home/shop/logo.jpg";
    s.header = "{\\rtf1 Header}";
    s.footer = "{\\rtf1 Thanks}";
    s.font.face = "Arial";
    s.font.height = -16;
    s.font.charset = 0;
    s.font.color = 0x0000FF;
    s.font.pitch = FontPitch::Fixed;
    s.font.style = FontBold | FontUnderline;
    s.tax1Default = true;
    s.tax1Rate = "7.5";
    s.tax2Rate = "5";
    s.tax1Name = "GST";
    s.tax2Name = "PST";
    s.printCopies = 2;
    s.autoBarcode = true;
    return s;
}

bool SameSettings(const Settings& a, const Settings& b) {
    return a.reserved == b.reserved && a.nextInvoice == b.nextInvoice && a.logo == b.logo &&
           a.header == b.header && a.footer == b.footer && a.font == b.font &&
           a.tax1Default == b.tax1Default && a.tax2Default == b.tax2Default &&
           a.tax1Rate == b.tax1Rate && a.tax2Rate == b.tax2Rate && a.tax1Name == b.tax1Name &&
           a.tax2Name == b.tax2Name && a.printCopies == b.printCopies &&
           a.autoBarcode == b.autoBarcode;
}

class TempFolder {
public:
    TempFolder() {
        char tmpl[] = "/tmp/settings-test-XXXXXX";
        path_ = std::string(::mkdtemp(tmpl)) + "/";
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const {
        std::string bytes;
        ReadWholeFile(path_ + name, bytes);
        return bytes;
    }
    void Put(const std::string& name, const std::string& bytes) const {
        WriteFileSafely(path_ + name, bytes, "test");
    }

private:
    std::string path_;
};

}  // namespace

TEST(Settings, DefaultSaveBytes) {
    Settings s;
    EXPECT_EQ(SettingsFileBytes(s), DefaultSettingsBytes());
    EXPECT_EQ(Settings2FileBytes(s), Settings2Bytes(2, 0, 0));
}

TEST(Settings, RoundTripThroughFiles) {
    TempFolder dir;
    SaveSettings(dir.path(), Changed());
    EXPECT_EQ(dir.File("settings2.set"), Settings2Bytes(2, 2, 1));
    Settings back;
    LoadSettings(dir.path(), back);
    EXPECT_TRUE(SameSettings(back, Changed()));
}

TEST(Settings, MissingFilesGiveDefaults) {
    TempFolder dir;
    Settings s;
    s.printCopies = 5;  // settings2.set missing: copies go to 0 whatever they were
    LoadSettings(dir.path(), s);
    Settings expected;
    EXPECT_TRUE(SameSettings(s, expected));
}

TEST(Settings, HeaderOf1000BytesIsTag3AndThreeThousandBytes) {
    Settings s;
    s.header = std::string(1000, 'h');
    std::string bytes = SettingsFileBytes(s);
    // After reserved text, invoice number and logo.
    ASSERT_EQ(bytes.substr(7, 3), Bytes({3, 0xE8, 0x03}));
    EXPECT_EQ(bytes.substr(10, 3), Bytes({6, 1, 'h'}));
    EXPECT_EQ(bytes.substr(10 + 2997, 3), Bytes({6, 1, 'h'}));
    EXPECT_EQ(bytes.substr(10 + 3000, 2), Bytes({2, 0}));  // the empty footer
    Settings back;
    ReadSettingsBytes(bytes, back);
    EXPECT_EQ(back.header, s.header);
}

TEST(Settings, LongTaxNameUsesLongStringAndReadsBack) {
    Settings s;
    s.tax2Name = std::string(300, 'T');
    std::string bytes = SettingsFileBytes(s);
    EXPECT_EQ(bytes.substr(bytes.size() - 305, 5), Bytes({12, 0x2C, 0x01, 0, 0}));
    Settings back;
    ReadSettingsBytes(bytes, back);
    EXPECT_EQ(back.tax2Name, s.tax2Name);
}

TEST(Settings, FontRecordValues) {
    struct Case {
        const char* what;
        void (*change)(FontRecord&);
        std::string expectedPiece;  // must occur in the bytes
        std::string absentPiece;    // must not occur ("" for none)
    };
    const Case cases[] = {
        {"bold", [](FontRecord& f) { f.style = FontBold; },
         Named("Font.Style") + Bytes({11}) + Named("fsBold") + Bytes({0, 11}) + "MinFontSize", ""},
        {"all styles in order", [](FontRecord& f) { f.style = 15; },
         Bytes({11}) + Named("fsBold") + Named("fsItalic") + Named("fsUnderline") +
             Named("fsStrikeOut") + Bytes({0}),
         ""},
        {"default pitch not written", [](FontRecord&) {}, "", "Font.Pitch"},
        {"fixed pitch", [](FontRecord& f) { f.pitch = FontPitch::Fixed; },
         Named("Font.Pitch") + Bytes({7}) + Named("fpFixed") + Named("Font.Style"), ""},
        {"variable pitch", [](FontRecord& f) { f.pitch = FontPitch::Variable; },
         Named("Font.Pitch") + Bytes({7}) + Named("fpVariable"), ""},
        {"unnamed colour as integer", [](FontRecord& f) { f.color = 0x123456; },
         Named("Font.Color") + Bytes({4, 0x56, 0x34, 0x12, 0}), "clWindowText"},
        {"named plain colour", [](FontRecord& f) { f.color = 0xFF0000; },
         Named("Font.Color") + Bytes({7}) + Named("clBlue"), ""},
        {"clNone", [](FontRecord& f) { f.color = 0x1FFFFFFF; },
         Named("Font.Color") + Bytes({7}) + Named("clNone"), ""},
        {"unnamed charset as integer", [](FontRecord& f) { f.charset = 100; },
         Named("Font.Charset") + Bytes({2, 100}), "DEFAULT_CHARSET"},
        {"named charset", [](FontRecord& f) { f.charset = 204; },
         Named("Font.Charset") + Bytes({7}) + Named("RUSSIAN_CHARSET"), ""},
        {"long face name", [](FontRecord& f) { f.face = std::string(256, 'F'); },
         Named("Font.Name") + Bytes({12, 0, 1, 0, 0}), ""},
    };
    for (const auto& c : cases) {
        Settings s;
        c.change(s.font);
        std::string bytes = SettingsFileBytes(s);
        if (!c.expectedPiece.empty()) {
            EXPECT_NE(bytes.find(c.expectedPiece), std::string::npos) << c.what;
        }
        if (!c.absentPiece.empty()) {
            EXPECT_EQ(bytes.find(c.absentPiece), std::string::npos) << c.what;
        }
        Settings back;
        ReadSettingsBytes(bytes, back);
        EXPECT_EQ(back.font, s.font) << c.what;
        EXPECT_EQ(back.tax2Name, "Tax Two") << c.what;  // read to the end
    }
}

TEST(Settings, FontRecordWithFlagsByteIsRead) {
    std::string bytes = SettingsFileBytes(Changed());
    std::size_t at = bytes.find("TPF0") + 4;
    bytes.insert(at, Bytes({0xF2, 2, 7}));  // flags with a child position
    Settings back;
    ReadSettingsBytes(bytes, back);
    EXPECT_EQ(back.font, Changed().font);
    EXPECT_EQ(back.tax2Name, "PST");
}

TEST(Settings, CutShortKeepsWhatWasRead) {
    const Settings full = Changed();
    StreamWriter w;
    w.WriteString(full.reserved);
    w.WriteString(full.nextInvoice);
    w.WriteString(full.logo);
    w.WriteByteBlock(full.header);
    w.WriteByteBlock(full.footer);
    const std::size_t afterSlot5 = w.Bytes().size();
    const std::string bytes = SettingsFileBytes(full);
    const std::size_t fontEnd = bytes.find(Bytes({0, 0, 9}));  // end of font, tax one on
    ASSERT_NE(fontEnd, std::string::npos);

    struct Case {
        const char* what;
        std::size_t length;
        int slotsRead;  // whole slots that must have arrived
        bool fontRead;
    };
    const Case cases[] = {
        {"empty file", 0, 0, false},
        {"inside reserved text", 3, 0, false},
        {"after slot 2", 2 + full.reserved.size() + 2 + full.nextInvoice.size(), 2, false},
        {"after slot 5", afterSlot5, 5, false},
        {"inside the font record", afterSlot5 + 40, 5, false},
        {"after the font", fontEnd + 2, 6, true},
        {"inside the last name", bytes.size() - 1, 11, true},
        {"whole", bytes.size(), 12, true},
    };
    for (const auto& c : cases) {
        Settings s;
        EXPECT_EQ(ReadSettingsBytes(std::string_view(bytes).substr(0, c.length), s),
                  c.length == bytes.size())
            << c.what;
        const Settings d;
        EXPECT_EQ(s.nextInvoice, c.slotsRead >= 2 ? full.nextInvoice : d.nextInvoice) << c.what;
        EXPECT_EQ(s.logo, c.slotsRead >= 3 ? full.logo : d.logo) << c.what;
        EXPECT_EQ(s.header, c.slotsRead >= 4 ? full.header : d.header) << c.what;
        EXPECT_EQ(s.footer, c.slotsRead >= 5 ? full.footer : d.footer) << c.what;
        if (c.fontRead) {
            EXPECT_EQ(s.font, full.font) << c.what;
        }
        if (c.slotsRead <= 5) {
            EXPECT_EQ(s.font.pitch, FontPitch::Default) << c.what;
            EXPECT_EQ(s.font.style, 0) << c.what;
        }
        EXPECT_EQ(s.tax1Default, c.slotsRead >= 7) << c.what;
        EXPECT_EQ(s.tax1Rate, c.slotsRead >= 9 ? full.tax1Rate : d.tax1Rate) << c.what;
        EXPECT_EQ(s.tax1Name, c.slotsRead >= 11 ? full.tax1Name : d.tax1Name) << c.what;
        EXPECT_EQ(s.tax2Name, c.slotsRead >= 12 ? full.tax2Name : d.tax2Name) << c.what;
    }
}

TEST(Settings, DamagedFilesAreSilent) {
    struct Case {
        const char* what;
        std::string settings;
        std::string settings2;
        std::string nextInvoice;
        int printCopies;
    };
    std::string unknownProperty = SettingsFileBytes(Changed());
    unknownProperty.replace(unknownProperty.find("MinFontSize"), 11, "MinFontSizX");
    std::string badIdent = SettingsFileBytes(Settings());
    badIdent.replace(badIdent.find("clWindowText"), 12, "clNoSuchName");
    const Case cases[] = {
        {"binary garbage", Bytes({0xFF, 0x00, 0x13, 0x37}), Bytes({0xEE, 0xEE}), "1", 0},
        {"long string of 4 GB", Bytes({12, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}), Bytes({2, 3, 6}), "1", 3},
        {"header block of 2 G bytes",
         Bytes({6, 0, 6, 2, '4', '2', 6, 0, 4, 0xFF, 0xFF, 0xFF, 0x7F}),
         Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F}), "42", INT32_MAX},
        {"unknown font property", unknownProperty, "", "1043", 0},
        {"unknown colour name", badIdent, "", "1", 0},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        dir.Put("settings.set", c.settings);
        dir.Put("settings2.set", c.settings2);
        Settings s;
        LoadSettings(dir.path(), s);
        EXPECT_EQ(s.nextInvoice, c.nextInvoice) << c.what;
        EXPECT_EQ(s.printCopies, c.printCopies) << c.what;
        EXPECT_EQ(s.tax1Name, "Tax One") << c.what;
        EXPECT_FALSE(s.autoBarcode) << c.what;
    }
}

TEST(Settings, AutoBarcodeIsOnWhenGreaterThanZero) {
    for (int flag : {-1, 0, 1, 5}) {
        Settings s;
        ReadSettings2Bytes(Settings2Bytes(2, 1, flag & 0xFF), s);
        EXPECT_EQ(s.autoBarcode, flag > 0) << flag;
        EXPECT_EQ(s.printCopies, 1);
    }
}

TEST(Settings, WriteToImpossibleFolderIsSilent) {
    Settings s = Changed();
    EXPECT_NO_THROW(SaveSettings("/nonexistent-folder/for/settings/", s));
}

TEST(Settings, OneUnwritableFileDoesNotStopTheOther) {
    TempFolder dir;
    // A folder where the first file belongs: it cannot be replaced.
    std::filesystem::create_directory(dir.path() + "settings.set");
    SaveSettings(dir.path(), Changed());
    EXPECT_EQ(dir.File("settings2.set"), Settings2Bytes(2, 2, 1));
}
