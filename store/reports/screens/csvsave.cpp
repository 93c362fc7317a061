#include "store/reports/screens/csvsave.h"

#include "store/core/safefile.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace brenvik {

bool SaveTableAsCsv(const StringTable& table, const QString& title) {
    ui::FileDialogSpec spec;
    spec.title = title;
    spec.filter = "Comma Delimited File (*.csv)";
    spec.defaultExt = "csv";
    spec.confirmOverwrite = false;  // asked below, with No offering the dialog again
    for (;;) {
        std::optional<QString> name = ui::platform().SaveFileName(spec);
        if (!name || name->isEmpty()) return false;
        if (FileExists(ui::PathFromQ(*name)) &&
            !ui::platform().ConfirmDestructive(
                "File already exists.  Do you want to overwrite it ?"))
            continue;
        // Written through a temporary file, so a failed write keeps the old one.
        table.SaveToCSV(ui::PathFromQ(*name));
        ui::platform().ShowMessage(MsgKind::Information, "Data exported to " + *name + ".",
                                   MsgButtons::Ok);
        return true;
    }
}

}  // namespace brenvik
