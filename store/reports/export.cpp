#include "store/reports/export.h"

#include "store/core/datafolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace brenvik {

StringTable BuildExportGrid(const StringTable& buffer, const std::vector<int>& columns) {
    StringTable out(buffer.DefaultWidth());
    out.SetSize(static_cast<int>(columns.size()), buffer.RowCount());
    for (std::size_t j = 0; j < columns.size(); ++j) {
        int c = columns[j];
        for (int r = 0; r < buffer.RowCount(); ++r)
            out.SetCell(static_cast<int>(j), r, buffer.Cell(c, r));
    }
    return out;
}

std::string WriteHandoffFile(const StringTable& table, const std::string& dataFolder,
                             const std::string& fileName) {
    std::string path = DataPath(NormalizeFolder(dataFolder), fileName);
    table.SaveToCSV(path);
    return path;
}

std::string AnalyzerProgramPath(const std::string& exeFolder, std::string_view pathEnv,
                                const std::function<bool(const std::string&)>& isProgram) {
    if (!exeFolder.empty()) {
        std::string beside = NormalizeFolder(exeFolder) + kAnalyzerProgram;
        if (isProgram(beside)) return beside;
    }
    std::size_t start = 0;
    while (start <= pathEnv.size()) {
        std::size_t end = pathEnv.find(':', start);
        if (end == std::string_view::npos) end = pathEnv.size();
        std::string_view dir = pathEnv.substr(start, end - start);
        // An empty entry means the current folder, which is no fixed place:
        // skip it rather than start whatever happens to lie there.
        if (!dir.empty()) {
            std::string candidate = NormalizeFolder(std::string(dir)) + kAnalyzerProgram;
            if (isProgram(candidate)) return candidate;
        }
        start = end + 1;
    }
    return kAnalyzerProgram;
}

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace brenvik
