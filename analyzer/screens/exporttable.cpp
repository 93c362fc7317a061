#include "analyzer/screens/exporttable.h"

#include "analyzer/exporttable.h"
#include "store/core/safefile.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace pellard {

namespace {

// The file to write, or nothing when the user gave up.
std::optional<std::string> AskExportFile() {
    ui::FileDialogSpec spec;
    spec.title = "Export Data";
    spec.filter = "Comma Delimited File (*.csv)";
    spec.defaultExt = "csv";
    spec.confirmOverwrite = false;  // asked below, in the program's words
    std::string path;
    for (;;) {
        std::optional<QString> chosen = ui::platform().SaveFileName(spec);
        if (!chosen || chosen->isEmpty()) return std::nullopt;
        path = ui::PathFromQ(*chosen);
        if (!brenvik::FileExists(path)) break;
        if (ui::platform().ConfirmDestructive(
                "File already exists.  Do you want to overwrite it ?"))
            break;
    }
    return path;
}

bool Write(const brenvik::StringTable& table, const std::string& path) {
    try {
        table.SaveToCSV(path, ',');
    } catch (const std::exception& e) {
        ui::ShowError(e);
        return false;
    }
    ui::platform().ShowMessage(brenvik::MsgKind::Information,
                               "Data exported to " + ui::PathToQ(path) + ".",
                               brenvik::MsgButtons::Ok);
    return true;
}

}  // namespace

bool ExportTable(const brenvik::StringTable& table) {
    auto path = AskExportFile();
    return path && Write(table, *path);
}

bool ExportView(const LogView& view) {
    auto path = AskExportFile();
    return path && Write(ViewTable(view), *path);
}

}  // namespace pellard
