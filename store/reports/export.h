#pragma once
// Export of a store table with chosen columns, and the hand-off of a table to
// the analyzer program through a temporary CSV file in the data folder.
#include "store/core/stringtable.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The temporary files handed to the analyzer.
inline constexpr const char* kExportTempFile = "ExpTemp.csv";  // export dialog
inline constexpr const char* kInvoiceTempFile = "IvTemp.csv";  // invoice history
inline constexpr const char* kReportTempFile = "InvTemp.csv";  // table report
// The analyzer's program file.
inline constexpr const char* kAnalyzerProgram = "pellard";

// The output table: the given source columns in the given order, every row of
// `buffer` (headings included). No column gives one empty column.
StringTable BuildExportGrid(const StringTable& buffer, const std::vector<int>& columns);

// Writes `table` as grid CSV to data folder + `fileName`, replacing the file;
// returns the full path. Raises StoreError "Cannot create file <path>".
std::string WriteHandoffFile(const StringTable& table, const std::string& dataFolder,
                             const std::string& fileName);

// The analyzer to start: the program file beside the running store program
// when it is there, else the first one found on `pathEnv` (':'-separated),
// else the bare name (the system's program search may still find it).
// `isProgram` tells whether a path names an executable file.
std::string AnalyzerProgramPath(const std::string& exeFolder, std::string_view pathEnv,
                                const std::function<bool(const std::string&)>& isProgram);
// The real test for `isProgram`: a regular file that may be executed.
bool IsExecutableFile(const std::string& path);

}  // namespace brenvik
