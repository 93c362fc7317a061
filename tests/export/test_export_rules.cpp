// The export table built from the chosen columns, the checked rows, the
// hand-off file and the choice of the analyzer program.
#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/reports/export.h"

#include "sample.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace brenvik;

TEST(ExportGrid, ChosenColumnsInChosenOrder) {
    StringTable grid = BuildExportGrid(Sample(), {2, 0});
    EXPECT_EQ(grid.CSVBytes(), "Note,Item\r\n\"blue, fine\",Pen\r\nx,Ink\r\n");
    EXPECT_EQ(BuildExportGrid(Sample(), {1}).CSVBytes(), "Price\r\n1.50\r\n\"\"\r\n");
    // No column: one empty column on every row.
    EXPECT_EQ(BuildExportGrid(Sample(), {}).CSVBytes(), "\"\"\r\n\"\"\r\n\"\"\r\n");
}

TEST(ExportGrid, CheckedRowsInListOrder) {
    int copied = -1;
    StringTable none = CheckedTableRows(
        Sample(), [](int) { return false; }, &copied);
    EXPECT_EQ(copied, 0);
    EXPECT_EQ(none.CSVBytes(), "Item,Price,Note\r\n");
    StringTable second = CheckedTableRows(
        Sample(), [](int i) { return i == 1; }, &copied);
    EXPECT_EQ(copied, 1);
    EXPECT_EQ(second.CSVBytes(), "Item,Price,Note\r\nInk,\"\",x\r\n");
}

TEST(Handoff, WritesTheTableIntoTheDataFolder) {
    auto dir = std::filesystem::temp_directory_path() / "brenvik_handoff_rules";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string path = WriteHandoffFile(Sample(), dir.string(), kExportTempFile);
    EXPECT_EQ(path, (dir / "ExpTemp.csv").string());
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, Sample().CSVBytes());
    // Rewritten every time.
    StringTable other;
    other.SetCell(0, 0, "only");
    WriteHandoffFile(other, dir.string() + "/", kExportTempFile);
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "only\r\n");

    EXPECT_THROW(WriteHandoffFile(other, (dir / "missing" / "sub").string(), kExportTempFile),
                 StoreError);
    std::filesystem::remove_all(dir);
}

TEST(Handoff, ProgramBesideTheStoreFirstThenPath) {
    std::set<std::string> programs;
    auto isProgram = [&](const std::string& p) { return programs.count(p) > 0; };
    EXPECT_EQ(AnalyzerProgramPath("/opt/m/bin", "/usr/bin:/bin", isProgram), "pellard");
    programs.insert("/bin/pellard");
    EXPECT_EQ(AnalyzerProgramPath("/opt/m/bin", "/usr/bin:/bin", isProgram), "/bin/pellard");
    programs.insert("/usr/bin/pellard");
    EXPECT_EQ(AnalyzerProgramPath("/opt/m/bin", "/usr/bin::/bin", isProgram), "/usr/bin/pellard");
    programs.insert("/opt/m/bin/pellard");
    EXPECT_EQ(AnalyzerProgramPath("/opt/m/bin/", "/usr/bin:/bin", isProgram), "/opt/m/bin/pellard");
    // Empty entries (the current folder) are not searched.
    programs = {"./pellard", "pellard", "/pellard"};
    EXPECT_EQ(AnalyzerProgramPath("", ":", isProgram), "pellard");
}

TEST(Handoff, ExecutableTest) {
    auto dir = std::filesystem::temp_directory_path() / "brenvik_handoff_exec";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto file = dir / "pellard";
    WriteFileSafely(file.string(), "#!/bin/sh\n", "Cannot create " + file.string());
    EXPECT_FALSE(IsExecutableFile(file.string()));
    std::filesystem::permissions(file, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    EXPECT_TRUE(IsExecutableFile(file.string()));
    EXPECT_FALSE(IsExecutableFile(dir.string()));
    std::filesystem::remove_all(dir);
}
