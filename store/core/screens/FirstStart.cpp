#include "store/core/screens/FirstStart.h"

#include "store/core/datafolder.h"
#include "store/core/error.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QFileInfo>

namespace brenvik {

bool OfferStoreImport(const std::string& folder) {
    if (HoldsStore(folder)) return false;
    ui::Platform& p = ui::platform();
    const QString where = ui::PathToQ(folder);
    try {
        MakeFolder(folder);
    } catch (const StoreError& e) {
        p.ShowMessage(MsgKind::Error,
                      QString::fromStdString(e.what()) +
                          "\nThe store cannot keep its data. Check the permissions of that "
                          "folder, or name another one in the BRENVIK_DATA environment variable.",
                      MsgButtons::Ok);
        return false;
    }
    if (p.ShowMessage(MsgKind::Confirmation,
                      "Merivale keeps this store's data in\n" + where +
                          "\n\nDo you have an existing store to bring in? Choose Yes and pick "
                          "its Inventory.dt2 file to copy that store's files here, or No to "
                          "start with an empty store.",
                      MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    ui::FileDialogSpec spec;
    spec.title = "Choose the Inventory.dt2 of the store to bring in";
    spec.filter = "Store inventory (Inventory.dt2 inventory.dt2 INVENTORY.DT2);;All files (*)";
    const auto picked = p.OpenFileName(spec);
    if (!picked) return false;
    const std::string from = ui::PathFromQ(QFileInfo(*picked).absolutePath()) + "/";
    try {
        const auto copied = CopyStoreFiles(from, folder);
        p.ShowMessage(MsgKind::Information,
                      QString::number(copied.size()) + " files of the store were copied into " +
                          where + ".\nThe store in " + ui::PathToQ(from) + " is unchanged.",
                      MsgButtons::Ok);
        return !copied.empty();
    } catch (const StoreError& e) {
        p.ShowMessage(MsgKind::Error,
                      QString::fromStdString(e.what()) +
                          "\nNothing was brought in; the program starts with an empty store.",
                      MsgButtons::Ok);
        return false;
    }
}

}  // namespace brenvik
