// Merivale: the store program. It takes no parameters; the store's files
// live in the data folder (BRENVIK_DATA, the program's folder when it can be
// written, or the user's own data folder).
#include "store/core/datafolder.h"
#include "store/core/screens/BackupForms.h"
#include "store/core/screens/FirstStart.h"
#include "store/core/screens/TMenuForm.h"
#include "store/inventory/screens/TView.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"
#include "ui/platform.h"
#include "ui/qtplatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Merivale");
    QApplication::setApplicationVersion("1.0");
    QApplication::setOrganizationName("Merivale");
    ui::QtPlatform platform;
    ui::SetPlatform(&platform);

    // An installed program keeps the store in the user's own folder.
    const std::string folder = brenvik::DefaultDataFolder();
    if (brenvik::DataFolderIsPerUser()) brenvik::OfferStoreImport(folder);
    // The day's backup, before anything of the store is written.
    brenvik::StartupBackup(folder);

    // The three windows of the whole run, in this order.
    brenvik::TMenuForm menu;
    brenvik::TView view(folder, &menu);
    brenvik::TInvoiceHistoryForm invoices(view.GetStore(), &menu);
    menu.SetWindows(&view, &invoices);

    menu.show();
    return app.exec();
}
