#include "store/core/codepage.h"

#include <gtest/gtest.h>

using namespace brenvik;

TEST(CodePage, EveryByteGoesToUtf8AndBack) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    const std::string utf8 = WesternToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    std::size_t unmapped = std::string::npos;
    EXPECT_EQ(Utf8ToWestern(utf8, &unmapped), all);
    EXPECT_EQ(unmapped, std::string::npos);
    EXPECT_EQ(WesternToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
}

TEST(CodePage, Utf8Validity) {
    struct Case {
        const char* bytes;
        bool valid;
    } cases[] = {
        {"plain", true},     {"caf\xC3\xA9", true},       {"caf\xE9", false},
        {"\xC0\xAF", false}, {"\xED\xA0\x80", false},     {"\xF0\x9F\x98\x80", true},
        {"\xE2\x82", false}, {"\xF4\x90\x80\x80", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(CodePage, CharactersWithoutAFormAreNamedByOffset) {
    std::size_t at = std::string::npos;
    // "a€b😀c✓": the emoji at byte 5 is the first character the page lacks.
    EXPECT_EQ(Utf8ToWestern("a\xE2\x82\xAC"
                            "b\xF0\x9F\x98\x80"
                            "c\xE2\x9C\x93",
                            &at),
              "a\x80"
              "b?c?");
    EXPECT_EQ(at, 5u);
    // Bytes that are not UTF-8 are taken as the code page already.
    EXPECT_EQ(Utf8ToWestern("caf\xE9"), "caf\xE9");
}

TEST(CodePage, LowerCase) {
    EXPECT_EQ(LowerWestern("ABC \xC9T\xC9 \x8A\x9F \xD7"), "abc \xE9t\xE9 \x9A\xFF \xD7");
}
