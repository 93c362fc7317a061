// Merivale: the store program. It takes no parameters; the store's files
// live in the data folder (the program's folder, or BRENVIK_DATA).
#include "store/core/datafolder.h"
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

    // The three windows of the whole run, in this order.
    brenvik::TMenuForm menu;
    brenvik::TView view(brenvik::DefaultDataFolder(), &menu);
    brenvik::TInvoiceHistoryForm invoices(view.GetStore(), &menu);
    menu.SetWindows(&view, &invoices);

    menu.show();
    return app.exec();
}
