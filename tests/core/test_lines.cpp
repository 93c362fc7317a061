#include "store/core/lines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace brenvik;

namespace {

std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> out;
    ForEachLine(bytes, [&](std::string_view line) { out.emplace_back(line); });
    return out;
}

std::vector<std::string> ReaderLines(std::string_view bytes) {
    std::vector<std::string> out;
    LineReader reader(bytes);
    std::string_view line;
    while (reader.Next(line)) out.emplace_back(line);
    return out;
}

struct LineCase {
    std::string bytes;
    std::vector<std::string> lines;
};

}  // namespace

TEST(LineReading, SplitsAtCROnly) {
    const std::vector<LineCase> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\nb\r\n", {"a\nb"}},      // a lone LF is part of the line
        {"a\r\n\nb", {"a", "\nb"}},  // only one LF belongs to the line end
        {"a\n\rb", {"a\n", "b"}},
        {"a\r\nb\x1a\r\nc", {"a", "b"}},  // Ctrl-Z ends the file
        {"\x1a"
         "a\r\n",
         {}},
        {"a\r\x1a\nb", {"a"}},
        {std::string("a\0b\r\nc", 6), {std::string("a\0b", 3), "c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(Lines(c.bytes), c.lines);
        EXPECT_EQ(ReaderLines(c.bytes), c.lines);
        EXPECT_EQ(CountLines(c.bytes), c.lines.size());
    }
}

TEST(LineReading, SweepAgreesWithTheReader) {
    // Line ends anywhere across the sweep's 16-byte blocks.
    std::mt19937 rng(7);
    const char alphabet[] = {'a', 'b', '\r', '\n', '\r', ',', '\x1a'};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(rng() % 80, 'a');
        for (char& c : bytes) c = alphabet[rng() % (round % 2 ? 7 : 6)];
        ASSERT_EQ(Lines(bytes), ReaderLines(bytes)) << testing::PrintToString(bytes);
    }
}

TEST(LineReading, StopsWhenTheCallbackSaysSo) {
    int seen = 0;
    ForEachLine("a\r\nb\r\nc", [&](std::string_view) { return ++seen < 2; });
    EXPECT_EQ(seen, 2);
}

TEST(LineReading, AppendWholeFileKeepsWhatIsThere) {
    auto dir = std::filesystem::temp_directory_path() / "lines_test";
    std::filesystem::create_directories(dir);
    auto path = (dir / "f.txt").string();
    std::string content(200000, 'x');
    content += "end";
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(f);
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    std::string out = "head";
    ASSERT_TRUE(AppendWholeFile(path, out));
    EXPECT_EQ(out, "head" + content);

    std::string kept = "kept";
    EXPECT_FALSE(AppendWholeFile((dir / "missing").string(), kept));
    EXPECT_FALSE(AppendWholeFile(dir.string(), kept));  // a folder is not a file
    EXPECT_EQ(kept, "kept");
    std::filesystem::remove_all(dir);
}

TEST(LineReading, LineEndsAndByteOrderMarkOfOtherProgramsFiles) {
    EXPECT_EQ(LineEndByte("a,b\nc,d\n"), '\n');
    EXPECT_EQ(LineEndByte("a,b\r\nc,d\r\n"), '\r');
    EXPECT_EQ(LineEndByte("a,b\nc\rd\n"), '\r');  // any CR keeps the CR rule
    EXPECT_EQ(LineEndByte(""), '\n');
    EXPECT_EQ(WithoutByteOrderMark("\xEF\xBB\xBFName,Gross"), "Name,Gross");
    EXPECT_EQ(WithoutByteOrderMark("\xEF\xBBName"), "\xEF\xBBName");
}
