// A small, realistic sample store, so that a new user can try every screen:
// items with their deliveries, sales and returns, customers, and a year of
// invoices and refunds that agree with the item histories.
#include "demo.h"

#include "store/core/datetext.h"
#include "store/core/error.h"
#include "store/core/money.h"
#include "store/core/safefile.h"
#include "store/inventory/store.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using brenvik::Store;

struct Product {
    const char* item;
    const char* model;
    const char* type;
    double cost;
    const char* supplier;
};

const Product kProducts[] = {
    {"Computer", "Desktop Tower 3200", "Windows 2000", 612.00, "Northwind Systems"},
    {"Computer", "Compact Desktop 1800", "Windows ME", 455.00, "Northwind Systems"},
    {"Computer", "Small Office Server", "Linux", 980.00, "Harbor Micro"},
    {"Computer", "Notebook 14 inch", "Windows 98", 1040.00, "Harbor Micro"},
    {"Computer", "Graphics Workstation", "Windows NT", 1620.00, "Northwind Systems"},
    {"Ink Jet Printer", "Photo Color 720", "Windows 98", 89.00, "Acme Office Supply"},
    {"Ink Jet Printer", "Home Color 300", "Windows 95", 49.50, "Acme Office Supply"},
    {"Ink Jet Printer", "Wide Format 1100", "Mac OS", 310.00, "Printek Distribution"},
    {"Ink Jet Printer", "Portable 150", "Windows ME", 129.00, "Printek Distribution"},
    {"Laser Printer", "Mono 12 ppm", "Windows 2000", 239.00, "Printek Distribution"},
    {"Laser Printer", "Network 24 ppm", "Unix", 720.00, "Printek Distribution"},
    {"Laser Printer", "Color Laser 8", "Windows NT", 1290.00, "Acme Office Supply"},
    {"Laser Printer", "Personal 8 ppm", "Windows 98", 179.00, "Acme Office Supply"},
    {"Scanner", "Flatbed 600 dpi", "Windows 98", 69.00, "Harbor Micro"},
    {"Scanner", "Flatbed 1200 dpi", "Mac OS", 119.00, "Harbor Micro"},
    {"Scanner", "Sheet Feed Document", "Windows 2000", 249.00, "Acme Office Supply"},
    {"Scanner", "Slide and Film", "Windows ME", 329.00, "Printek Distribution"},
    {"Monitor", "15 inch CRT", "Windows 95", 119.00, "Bluewater Displays"},
    {"Monitor", "17 inch CRT", "Windows 98", 169.00, "Bluewater Displays"},
    {"Monitor", "19 inch CRT", "Windows 2000", 259.00, "Bluewater Displays"},
    {"Monitor", "15 inch Flat Panel", "Windows ME", 399.00, "Bluewater Displays"},
    {"Monitor", "21 inch Professional", "Mac OS", 689.00, "Bluewater Displays"},
    {"UPS", "Backup 350 VA", "Windows 98", 59.00, "Voltline Power"},
    {"UPS", "Backup 650 VA", "Windows 2000", 99.00, "Voltline Power"},
    {"UPS", "Smart 1000 VA", "Linux", 279.00, "Voltline Power"},
    {"UPS", "Rack 1500 VA", "Unix", 489.00, "Voltline Power"},
    {"Speakers", "Desktop Stereo Pair", "Windows 95", 14.00, "Soundcraft Traders"},
    {"Speakers", "2.1 with Subwoofer", "Windows 98", 39.00, "Soundcraft Traders"},
    {"Speakers", "Surround 5.1 Set", "Windows ME", 89.00, "Soundcraft Traders"},
    {"Speakers", "USB Mini Speakers", "Mac OS", 19.00, "Soundcraft Traders"},
    {"Modem", "56K External Voice", "Windows 98", 49.00, "Netlink Wholesale"},
    {"Modem", "56K Internal PCI", "Windows 95", 29.00, "Netlink Wholesale"},
    {"Modem", "ISDN Terminal Adapter", "Windows NT", 139.00, "Netlink Wholesale"},
    {"Modem", "Cable Modem", "Linux", 99.00, "Netlink Wholesale"},
    {"Modem", "DSL Router", "Windows 2000", 119.00, "Netlink Wholesale"},
    {"Ink Jet Printer", "Black Cartridge 2-pack", "Windows 98", 18.50, "Acme Office Supply"},
    {"Laser Printer", "Toner Cartridge", "Windows 2000", 52.00, "Printek Distribution"},
    {"Computer", "Memory Upgrade 128 MB", "Windows 98", 44.00, "Harbor Micro"},
    {"Computer", "Hard Disk 20 GB", "Windows 2000", 89.00, "Harbor Micro"},
    {"Monitor", "Monitor Filter Screen", "Windows 95", 12.00, "Bluewater Displays"},
};

const char* const kLocations[] = {"Front Shelf A", "Front Shelf B", "Aisle 2",
                                  "Aisle 3",       "Back Room",     "Window Display"};

struct Person {
    const char* last;
    const char* first;
    const char* street;
    const char* city;
    const char* state;
    const char* zip;
};

const Person kCustomers[] = {
    {"Abernathy", "Grace", "14 Elm Street", "Springfield", "IL", "62704"},
    {"Baptiste", "Louis", "220 Harbour Road", "Portland", "ME", "04101"},
    {"Castellanos", "Maria", "9 Orchard Lane", "Santa Fe", "NM", "87501"},
    {"Dunmore", "Peter", "77 Kings Avenue", "Hamilton", "ON", "L8P 4R5"},
    {"Eriksen", "Anna", "310 Lake Drive", "Duluth", "MN", "55802"},
    {"Fitzgerald", "Sean", "5 Mill Court", "Burlington", "VT", "05401"},
    {"Gonzaga", "Teresa", "1802 Mesa Boulevard", "Tucson", "AZ", "85701"},
    {"Hargreaves", "Colin", "48 Station Road", "Halifax", "NS", "B3H 1A1"},
    {"Ishikawa", "Ken", "600 Pine Street", "Seattle", "WA", "98101"},
    {"Jorgensen", "Lise", "12 Prairie Way", "Fargo", "ND", "58102"},
    {"Kowalski", "Adam", "95 River Street", "Buffalo", "NY", "14202"},
    {"Lindqvist", "Sara", "3 Birch Close", "Madison", "WI", "53703"},
    {"Moreau", "Claire", "410 Rue Principale", "Sherbrooke", "QC", "J1H 1A1"},
    {"Nakamura", "Yuki", "27 Cherry Hill", "San Jose", "CA", "95113"},
    {"O'Donnell", "Brian", "150 Canal Street", "Lowell", "MA", "01852"},
    {"Petrakis", "Elena", "8 Harbor View", "Charleston", "SC", "29401"},
    {"Quinlan", "Rose", "66 Meadow Road", "Boise", "ID", "83702"},
    {"Rasmussen", "Erik", "2100 Valley Drive", "Omaha", "NE", "68102"},
    {"Santoro", "Marco", "19 Vine Street", "Providence", "RI", "02903"},
    {"Thibodeaux", "Remy", "503 Bayou Lane", "Lafayette", "LA", "70501"},
    {"Underwood", "Helen", "44 College Avenue", "Athens", "GA", "30601"},
    {"Valdez", "Carlos", "710 Sunset Road", "El Paso", "TX", "79901"},
    {"Whitfield", "James", "2 Quarry Street", "Barre", "VT", "05641"},
    {"Yilmaz", "Deniz", "88 Garden Terrace", "Richmond", "VA", "23219"},
    {"Zimmerman", "Ruth", "301 Oak Ridge", "Knoxville", "TN", "37902"},
};

const char* const kPayments[] = {"Cash", "Cash", "Visa", "MasterCard", "Check", "American Express"};

std::string Money(double v) { return brenvik::TwoDecimals(static_cast<long double>(v)); }

std::string DateBefore(const brenvik::Date& today, long days) {
    return brenvik::FormatDate(brenvik::FromDayNumber(brenvik::DayNumber(today) - days));
}

struct Line {
    int row;
    int quantity;
    std::string total;  // two decimals, no "$"
};

struct Sale {
    std::string number;
    std::string customer;
    std::vector<Line> lines;
};

void AddHistory(Store& store, int row, const std::string& date, const char* activity,
                const std::string& invoice, int quantity, const std::string& total,
                const std::string& notes = "") {
    brenvik::HistoryList& h = store.History(row);
    h.insert(h.end(), {date, activity, invoice, std::to_string(quantity), total, notes});
}

void WriteInvoice(Store& store, const std::vector<std::string>& record) {
    brenvik::StringTable& t = store.InvoiceGrid;
    int row = t.RowCount();
    // The first record goes into the blank row of a new table.
    if (row == 2 && t.Cell(0, 1).empty() && t.Cell(1, 1).empty()) row = 1;
    else t.SetRowCount(row + 1);
    for (std::size_t c = 0; c < record.size(); ++c) t.SetCell(static_cast<int>(c), row, record[c]);
}

void BuildDemo(Store& store) {
    std::mt19937 rng(20260101);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const brenvik::Date today = brenvik::Today();

    // Items, stocked a year ago.
    int index = 0;
    for (const Product& p : kProducts) {
        const int row = store.AppendItem();
        const double price = p.cost * (1.25 + 0.05 * pick(6));
        const int delivered = 6 + pick(20);
        const std::string added = DateBefore(today, 370 - index);
        std::vector<std::string> v(15);
        v[0] = added;
        v[1] = p.item;
        v[2] = std::to_string(100000 + 10 * index);
        v[3] = p.type;
        v[4] = Money(p.cost);
        v[5] = Money(price);
        v[6] = std::to_string(delivered);
        v[7] = std::to_string(4 + pick(12));
        v[8] = p.supplier;
        v[9] = kLocations[pick(6)];
        v[10] = "";
        v[11] = p.model;
        store.SetItemValues(row, v);
        ++index;
    }

    // Customers, added over the first weeks.
    for (int i = 0; i < 25; ++i) {
        const Person& c = kCustomers[i];
        brenvik::StringTable& t = store.CustomerData;
        const int row = t.RowCount();
        t.SetRowCount(row + 1);
        std::string email = std::string(c.first) + "." + c.last + "@example.com";
        email.erase(std::remove(email.begin(), email.end(), '\''), email.end());
        for (char& ch : email) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        const bool canada = std::string(c.zip).find(' ') != std::string::npos;
        const std::string phone =
            "(555) " + std::to_string(200 + 13 * i) + "-" + std::to_string(1000 + 37 * i);
        const std::vector<std::string> values = {
            DateBefore(today, 360 - 3 * i),
            c.last,
            c.first,
            c.street,
            c.city,
            c.state,
            c.zip,
            canada ? "Canada" : "USA",
            phone,
            i % 3 == 0 ? "(555) 300-" + std::to_string(2000 + i) : "",
            email,
            i % 5 == 0 ? "Prefers e-mail receipts" : ""};
        for (std::size_t col = 0; col < values.size(); ++col)
            t.SetCell(static_cast<int>(col), row, values[col]);
    }

    // 54 sales and 6 refunds over the last year, oldest first.
    int number = 1001;
    std::vector<Sale> sales;
    const int priceCol = brenvik::GridField(store.Data, "sale price");
    const int qtyCol = brenvik::GridField(store.Data, "quantity");
    for (int k = 0; k < 60; ++k) {
        const long daysAgo = 355 - k * 6 + pick(3);
        const std::string date = DateBefore(today, daysAgo);
        const Person& who = kCustomers[pick(25)];
        const std::string customer = std::string(who.first) + " " + who.last + ", " + who.street +
                                     ", " + who.city + ", " + who.state + " " + who.zip;
        const bool refund = k % 10 == 9 && !sales.empty();
        if (refund) {
            Sale& original = sales[static_cast<std::size_t>(pick(static_cast<int>(sales.size())))];
            const Line& line = original.lines.front();
            AddHistory(store, line.row, date, "Product Return", "", line.quantity,
                       "$" + line.total);
            store.AddQuantity(line.row, std::to_string(line.quantity));
            WriteInvoice(store, {date, "R" + original.number, original.customer, line.total, "0%",
                                 "0", "0", "-" + line.total, "Cash", "-" + line.total,
                                 store.Data.CellText(2, line.row)});
            continue;
        }
        Sale sale{std::to_string(number++), customer, {}};
        const int lineCount = 1 + pick(3);
        std::string preTax = "0";
        std::string items;
        for (int l = 0; l < lineCount; ++l) {
            int row = 1 + pick(store.ItemCount());
            long double stock = brenvik::ReadLenient(store.Data.Cell(qtyCol, row));
            if (stock < 2) {
                AddHistory(store, row, date, "Product Received from Supplier", "", 12, "",
                           "Reorder");
                store.AddQuantity(row, "12");
            }
            const int qty = 1 + pick(2);
            const std::string total =
                brenvik::MultiplyStrings(store.Data.Cell(priceCol, row), std::to_string(qty));
            AddHistory(store, row, date, "Invoice Sale", sale.number, qty, "$" + total);
            store.UpdateQuantity(row, std::to_string(qty));
            preTax = brenvik::AddStrings(preTax, total);
            items += (items.empty() ? "" : ", ") + store.Data.CellText(2, row);
            sale.lines.push_back({row, qty, total});
        }
        const bool discounted = pick(5) == 0;
        std::string total = preTax;
        if (discounted)
            total = brenvik::SubtractStrings(preTax, brenvik::MultiplyStrings(preTax, "0.10"));
        const char* payment = kPayments[pick(6)];
        std::string received = total;
        if (std::string(payment) == "Cash") {
            long double whole = brenvik::ReadLenient(brenvik::StringRound(total)) + 5;
            received = Money(static_cast<double>(whole - std::fmod(whole, 5.0L)));
        }
        WriteInvoice(store, {date, sale.number, customer, preTax, discounted ? "10%" : "0%", "0",
                             "0", total, payment, received, items});
        sales.push_back(std::move(sale));
    }
    store.Values.nextInvoice = std::to_string(number);
    store.ComputeDerivedFields();
}

}  // namespace

int DemoCommand(const std::vector<std::string>& args) {
    bool force = false;
    std::vector<std::string> folders;
    for (const std::string& a : args) {
        if (a == "--force") force = true;
        else folders.push_back(a);
    }
    if (folders.size() != 1) {
        std::fputs(
            "usage: brenvik-data demo [--force] DIR\n"
            "writes a sample store (40 items with histories, 25 customers, 60 invoices and\n"
            "refunds over the last year) into DIR; start the store on it with\n"
            "BRENVIK_DATA=DIR brenvik\n",
            stderr);
        return 2;
    }
    const std::string& dir = folders.front();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    Store store(dir);
    if (!force && brenvik::FileExists(store.PathOf(Store::kInventoryFile))) {
        std::fprintf(stderr,
                     "demo: %s already holds a store (Inventory.dt2); choose an empty folder, or "
                     "add --force "
                     "to replace it\n",
                     store.Folder().c_str());
        return 1;
    }
    try {
        BuildDemo(store);
        store.SaveAll();
    } catch (const brenvik::StoreError& e) {
        std::fprintf(stderr, "demo: %s\n", e.what());
        return 1;
    }
    std::printf("A sample store of %d items, %d customers and %d invoices is in %s\n",
                store.ItemCount(), store.CustomerData.RowCount() - 1,
                store.InvoiceGrid.RowCount() - 1, store.Folder().c_str());
    return 0;
}
