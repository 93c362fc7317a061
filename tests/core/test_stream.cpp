#include "store/core/stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace brenvik;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    return std::string(values.begin(), values.end());
}

}  // namespace

TEST(Stream, IntegersTakeTheSmallestTagAndReadBack) {
    struct Case {
        std::int32_t value;
        std::string bytes;
    };
    const Case cases[] = {
        {0, Bytes({2, 0})},
        {-11, Bytes({2, 245})},
        {127, Bytes({2, 127})},
        {-128, Bytes({2, 128})},
        {128, Bytes({3, 128, 0})},
        {416, Bytes({3, 160, 1})},
        {1000, Bytes({3, 0xE8, 0x03})},
        {-32768, Bytes({3, 0x00, 0x80})},
        {32767, Bytes({3, 0xFF, 0x7F})},
        {32768, Bytes({4, 0x00, 0x80, 0, 0})},
        {-32769, Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF})},
        {std::int32_t(0x80000008u), Bytes({4, 8, 0, 0, 0x80})},
        {INT32_MAX, Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F})},
        {INT32_MIN, Bytes({4, 0, 0, 0, 0x80})},
    };
    for (const auto& c : cases) {
        StreamWriter w;
        w.WriteInteger(c.value);
        EXPECT_EQ(w.Bytes(), c.bytes) << c.value;
        StreamReader r(c.bytes);
        EXPECT_EQ(r.ReadInteger(), c.value);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Stream, StringsUpTo255BytesAreShortLongerAreLong) {
    StreamWriter w;
    w.WriteString("");
    w.WriteString(std::string(255, 'a'));
    w.WriteString(std::string(256, 'b'));
    const std::string& out = w.Bytes();
    EXPECT_EQ(out.substr(0, 2), Bytes({6, 0}));
    EXPECT_EQ(out.substr(2, 2), Bytes({6, 255}));
    EXPECT_EQ(out.substr(259, 5), Bytes({12, 0, 1, 0, 0}));
    EXPECT_EQ(out.size(), 2u + 257 + 5 + 256);

    StreamReader r(out);
    EXPECT_EQ(r.ReadString(), "");
    EXPECT_EQ(r.ReadString(), std::string(255, 'a'));
    EXPECT_EQ(r.ReadString(), std::string(256, 'b'));
    EXPECT_TRUE(r.AtEnd());
}

TEST(Stream, OtherValueKinds) {
    StreamWriter w;
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteChar('\xE9');
    w.WriteIdent("clRed");
    w.WriteSet({"fsBold", "fsItalic"});
    w.WriteSet({});
    EXPECT_EQ(w.Bytes(),
              Bytes({9,   8,   6,   1,   0xE9, 7,   5,   'c', 'l', 'R', 'e', 'd', 11,  6, 'f', 's',
                     'B', 'o', 'l', 'd', 8,    'f', 's', 'I', 't', 'a', 'l', 'i', 'c', 0, 11,  0}));
    StreamReader r(w.Bytes());
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_EQ(r.ReadChar(), '\xE9');
    EXPECT_EQ(r.ReadIdent(), "clRed");
    EXPECT_EQ(r.ReadSet(), (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(r.ReadSet().empty());
    EXPECT_TRUE(r.AtEnd());
}

TEST(Stream, BooleanIsTrueOnlyForTagNine) {
    // Any tag byte is a boolean; only its payload-less reading counts.
    const std::string bytes = Bytes({2, 9, 0});
    StreamReader r(bytes);
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_THROW(r.ReadBoolean(), StreamError);
}

TEST(Stream, ByteBlockTakesThreeBytesPerByte) {
    StreamWriter w;
    w.WriteByteBlock("");
    w.WriteByteBlock(std::string("a\0z", 3));
    EXPECT_EQ(w.Bytes(), Bytes({2, 0, 2, 3, 6, 1, 'a', 6, 1, 0, 6, 1, 'z'}));
    StreamReader r(w.Bytes());
    EXPECT_EQ(r.ReadByteBlock(), "");
    EXPECT_EQ(r.ReadByteBlock(), std::string("a\0z", 3));
    EXPECT_TRUE(r.AtEnd());
}

TEST(Stream, DamagedInputRaisesWithoutOverreading) {
    struct Case {
        const char* what;
        std::string bytes;
        void (*read)(StreamReader&);
    };
    auto readString = [](StreamReader& r) { r.ReadString(); };
    auto readInteger = [](StreamReader& r) { r.ReadInteger(); };
    auto readBlock = [](StreamReader& r) { r.ReadByteBlock(); };
    auto readChar = [](StreamReader& r) { r.ReadChar(); };
    auto readSet = [](StreamReader& r) { r.ReadSet(); };
    auto readIdent = [](StreamReader& r) { r.ReadIdent(); };
    const Case cases[] = {
        {"empty", "", readString},
        {"short string cut", Bytes({6, 5, 'a', 'b'}), readString},
        {"long string of 4 GB", Bytes({12, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}), readString},
        {"long string length cut", Bytes({12, 1, 0}), readString},
        {"integer as string", Bytes({2, 1}), readString},
        {"string as integer", Bytes({6, 0}), readInteger},
        {"int32 cut", Bytes({4, 1, 2, 3}), readInteger},
        {"int64 tag", Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0}), readInteger},
        {"block longer than the rest", Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F, 6, 1, 'a'}), readBlock},
        {"negative block", Bytes({2, 0xFF}), readBlock},
        {"block of non-characters", Bytes({2, 1, 2, 7, 0}), readBlock},
        {"char of length 2", Bytes({6, 2, 'a', 'b'}), readChar},
        {"set unterminated", Bytes({11, 3, 'a', 'b', 'c'}), readSet},
        {"ident as string", Bytes({6, 1, 'a'}), readIdent},
    };
    for (const auto& c : cases) {
        StreamReader r(c.bytes);
        EXPECT_THROW(c.read(r), StreamError) << c.what;
    }
}

namespace {

std::string OneProperty(const std::string& prefix) {
    StreamWriter w;
    std::string out = "TPF0" + prefix;
    w.WriteName("TFontDialog");
    w.WriteName("InvoiceFont");
    w.WriteName("Left");
    w.WriteInteger(16);
    w.EndComponent();
    return out + w.Bytes();
}

}  // namespace

TEST(Stream, ComponentRecordRoundTrip) {
    StreamWriter w;
    w.BeginComponent("TFontDialog", "InvoiceFont");
    w.WriteName("Left");
    w.WriteInteger(16);
    w.EndComponent();
    EXPECT_EQ(w.Bytes(), OneProperty(""));
    EXPECT_EQ(w.Bytes().substr(0, 5), "TPF0\x0B");
}

TEST(Stream, ComponentRecordAcceptsFlagsByteBeforeClassName) {
    struct Case {
        const char* what;
        std::string prefix;
    };
    const Case cases[] = {
        {"none", ""},
        {"flags without child position", Bytes({0xF1})},
        {"flags with child position", Bytes({0xF2, 3, 0x10, 0x27})},
        {"all flags", Bytes({0xF7, 2, 5})},
    };
    for (const auto& c : cases) {
        const std::string bytes = OneProperty(c.prefix);
        StreamReader r(bytes);
        std::vector<std::pair<std::string, int>> seen;
        auto header = ReadComponent(r, [&](const std::string& name, StreamReader& r) {
            seen.emplace_back(name, r.ReadInteger());
        });
        EXPECT_EQ(header.className, "TFontDialog") << c.what;
        EXPECT_EQ(header.name, "InvoiceFont") << c.what;
        EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{"Left", 16}})) << c.what;
        EXPECT_TRUE(r.AtEnd()) << c.what;
    }
}

TEST(Stream, ComponentRecordRejectsBadSignatureAndChildren) {
    auto ignore = [](const std::string&, StreamReader& r) { r.ReadInteger(); };
    std::string bad = OneProperty("");
    bad[3] = '1';
    StreamReader r1(bad);
    EXPECT_THROW(ReadComponent(r1, ignore), StreamError);

    std::string withChild = OneProperty("");
    withChild.back() = 'T';  // a child record where the end of children belongs
    StreamReader r2(withChild);
    EXPECT_THROW(ReadComponent(r2, ignore), StreamError);

    std::string cut = OneProperty("");
    cut.pop_back();
    StreamReader r3(cut);
    EXPECT_THROW(ReadComponent(r3, ignore), StreamError);
}
