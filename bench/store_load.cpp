// The store's start-up load and exit save on a large store: 20,000 items
// with 10 history entries each, 5,000 customers and 9,999 invoices.
// usage: bench_store_load DIR [ROUNDS]   (DIR is filled on the first run)
#include "store/core/datafolder.h"
#include "store/core/datetext.h"
#include "store/core/money.h"
#include "store/core/safefile.h"
#include "store/inventory/store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using brenvik::Store;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Fill(Store& store) {
    const char* items[] = {"Computer", "Ink Jet Printer", "Laser Printer", "Scanner", "Monitor",
                           "UPS",      "Speakers",        "Modem"};
    for (int i = 0; i < 20000; ++i) {
        const int row = store.AppendItem();
        std::vector<std::string> v(15);
        v[0] =
            brenvik::FormatDate(brenvik::FromDayNumber(brenvik::DayNumber({2025, 1, 1}) + i % 700));
        v[1] = std::string(items[i % 8]) + " model " + std::to_string(i);
        v[2] = std::to_string(100000 + 10 * i);
        v[3] = " Windows 98";
        v[4] = brenvik::TwoDecimals(10 + i % 500);
        v[5] = brenvik::TwoDecimals(15 + i % 700);
        v[6] = std::to_string(i % 40);
        v[7] = std::to_string(20);
        v[8] = "Supplier " + std::to_string(i % 90);
        v[9] = "Aisle " + std::to_string(i % 12);
        v[11] = "A description of item " + std::to_string(i) + " for the shop floor";
        store.SetItemValues(row, v);
        brenvik::HistoryList& h = store.History(row);
        for (int e = 0; e < 10; ++e)
            h.insert(h.end(),
                     {v[0], "Invoice Sale", std::to_string(1000 + e), "1", "$" + v[5], ""});
    }
    store.CustomerData.SetRowCount(5001);
    for (int r = 1; r <= 5000; ++r)
        for (int c = 0; c < 12; ++c)
            store.CustomerData.SetCell(
                c, r, "customer " + std::to_string(r) + " field " + std::to_string(c));
    store.InvoiceGrid.SetRowCount(10000);
    for (int r = 1; r < 10000; ++r)
        for (int c = 0; c < 11; ++c)
            store.InvoiceGrid.SetCell(
                c, r, c == 1 ? std::to_string(r) : "value " + std::to_string(r % 97));
    store.ComputeDerivedFields();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::string dir = brenvik::NormalizeFolder(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::filesystem::create_directories(dir);
    if (!brenvik::FileExists(dir + Store::kInventoryFile)) {
        Store store(dir);
        Fill(store);
        store.SaveAll();
    }
    double bestLoad = 1e9, bestSave = 1e9;
    for (int i = 0; i < rounds; ++i) {
        Store store(dir);
        auto t = std::chrono::steady_clock::now();
        store.LoadInventory();
        store.LoadInvoices();
        double load = Seconds(t);
        t = std::chrono::steady_clock::now();
        store.SaveAll();
        double save = Seconds(t);
        std::printf("round %d: load %.3f s, save %.3f s (%d items, %d customers, %d invoices)\n",
                    i + 1, load, save, store.ItemCount(), store.CustomerData.RowCount() - 1,
                    store.InvoiceGrid.RowCount() - 1);
        bestLoad = std::min(bestLoad, load);
        bestSave = std::min(bestSave, save);
    }
    std::printf("best: start-up load %.3f s, exit save %.3f s\n", bestLoad, bestSave);
    return 0;
}
