// Pictures of the store program's main screens on a data folder, to check by
// eye that no text is cut off at the font and scale in use:
//
//   brenvik-screenshots DATA_FOLDER OUT_FOLDER SUFFIX
//
// writes OUT_FOLDER/<screen>-SUFFIX.png for the main menu, the inventory, the
// item dialog, the point of sale and the customer list. A data folder without
// items gets a few long-named ones and customers for the pictures; nothing is
// saved. Run it under a real display (or xvfb-run) with QT_SCALE_FACTOR set
// for the scale wanted.
#include "store/core/fields.h"
#include "store/core/screens/TMenuForm.h"
#include "store/customers/screens/TCustomerListForm.h"
#include "store/inventory/screens/TView.h"
#include "store/inventory/screens/TViewItemForm.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"
#include "store/sales/screens/TPOSForm.h"
#include "ui/platform.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

void FillSample(brenvik::Store& store) {
    const std::vector<std::vector<std::string>> items = {
        {"2025/11/03", "Wool Socks, Large", "100023", "Clothing", "6.10", "12.99", "40", "24",
         "Hillcrest Knitwear Ltd"},
        {"2025/12/01", "Garden Trowel, Stainless", "100031", "Garden", "3.75", "8.50", "12", "10",
         "Greenway Tools"},
        {"2026/01/15", "Beeswax Candle Set", "100047", "Home", "9.40", "19.95", "5", "8",
         "Meadow Apiaries"},
    };
    for (auto values : items) {
        values.resize(15);
        store.SetItemValues(store.AppendItem(), values);
    }
    brenvik::SetupCustomerGrid(store.CustomerData);
    const std::vector<std::vector<std::string>> customers = {
        {"2025/12/31", "Featherstonehaugh", "Alexandra", "1200 Riverside Boulevard", "Springfield",
         "IL", "62704", "USA"},
        {"2026/02/14", "Okafor", "Chinedu", "7 Market Lane", "Bristol", "", "BS1 4DJ", "UK"},
    };
    store.CustomerData.SetRowCount(static_cast<int>(customers.size()) + 1);
    for (std::size_t r = 0; r < customers.size(); ++r)
        for (std::size_t c = 0; c < customers[r].size(); ++c)
            store.CustomerData.SetCell(static_cast<int>(c), static_cast<int>(r) + 1,
                                       customers[r][c]);
}

bool Save(QWidget& w, const QString& path) {
    w.show();
    w.raise();
    Settle();
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    w.hide();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: brenvik-screenshots DATA_FOLDER OUT_FOLDER SUFFIX\n");
        return 2;
    }
    QApplication::setApplicationName("Merivale");
    QApplication::setApplicationVersion("1.0");
    QTemporaryDir settings;
    ui::QtPlatform platform(settings.filePath("user.conf"));
    ui::SetPlatform(&platform);

    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString suffix = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(out);
    auto name = [&](const char* screen) { return out + "/" + screen + "-" + suffix + ".png"; };

    brenvik::TMenuForm menu;
    brenvik::TView view(folder, &menu);
    brenvik::TInvoiceHistoryForm invoices(view.GetStore(), &menu);
    menu.SetWindows(&view, &invoices);
    menu.FormActivate();
    if (view.GetStore().ItemCount() == 0) {
        FillSample(view.GetStore());
        view.GridToList();
    }
    bool ok = Save(menu, name("main-menu"));
    ok &= Save(view, name("inventory"));
    {
        brenvik::TViewItemForm item(view, 0, &view);
        ok &= Save(item, name("item-dialog"));
    }
    {
        brenvik::TPOSForm pos(view.GetStore(), &view);
        pos.Lines().push_back({"Wool Socks, Large", "100023", "$12.99", "2", "10", ""});
        pos.Lines().push_back({"Garden Trowel", "100031", "$8.50", "1", "0", ""});
        pos.TotalLine(0);
        pos.TotalLine(1);
        ok &= Save(pos, name("point-of-sale"));
    }
    {
        brenvik::TCustomerListForm customers(view.GetStore().CustomerData, folder, &view);
        ok &= Save(customers, name("customer-list"));
    }
    return ok ? 0 : 1;
}
