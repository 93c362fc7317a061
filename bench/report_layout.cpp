// The table report on a large inventory: selecting the records and building
// the report table, laying it out on pages, and drawing the first page as
// the preview shows it, then every page into a PDF.
// usage: bench_report_layout [RECORDS] [ROUNDS]   (defaults 10000 and 5)
#include "store/core/datetext.h"
#include "store/core/fields.h"
#include "store/core/money.h"
#include "store/inventory/store.h"
#include "store/reports/export.h"
#include "store/reports/screens/reportpages.h"
#include "store/reports/tablereport.h"
#include "ui/pageengine.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Fill(brenvik::Store& store, int records) {
    store.Fields = brenvik::InventoryFields();
    brenvik::SetupInventoryGrid(store.Data);
    for (int i = 0; i < records; ++i) {
        const int row = store.AppendItem();
        std::vector<std::string> v(15);
        v[0] =
            brenvik::FormatDate(brenvik::FromDayNumber(brenvik::DayNumber({2025, 1, 1}) + i % 700));
        v[1] = "Item model " + std::to_string(i);
        v[2] = std::to_string(100000 + 10 * i);
        v[4] = "$" + brenvik::TwoDecimals(10 + i % 500);
        v[5] = brenvik::TwoDecimals(15 + i % 700);
        v[6] = std::to_string(i % 40);
        v[13] = "$" + brenvik::TwoDecimals(i % 90);
        store.SetItemValues(row, v);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const int records = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    brenvik::Store store("/nonexistent/");
    Fill(store, records);
    const brenvik::ReportSource source = brenvik::InventoryReportSource(store, {});
    std::vector<int> columns;
    for (int c = 0; c < source.table.ColCount(); ++c) columns.push_back(c);
    // A numeric criterion on every record, as a quick search does.
    std::vector<brenvik::ReportCriterion> criteria(brenvik::kReportCriterionSlots);
    criteria[4] = {" to 400", "", "400"};

    double select = 1e9, layout = 1e9, first = 1e9, pdf = 1e9;
    int pages = 0;
    for (int round = 0; round < rounds; ++round) {
        auto t0 = std::chrono::steady_clock::now();
        const brenvik::StringTable report = brenvik::BuildExportGrid(
            brenvik::BuildDisplayGrid(source, brenvik::RecordMode::QuickSearchRecords, criteria,
                                      brenvik::Today()),
            columns);
        select = std::min(select, Seconds(t0));

        t0 = std::chrono::steady_clock::now();
        ui::PageDocument doc;
        doc.Setup().header.visible = true;
        doc.Setup().header.center.text = "Page {PAGE}";
        doc.NewPage();
        brenvik::AddReportTable(doc, report);
        layout = std::min(layout, Seconds(t0));
        pages = doc.PageCount();

        t0 = std::chrono::steady_clock::now();
        const QImage image = ui::RenderPageImage(doc, 0, 96);
        first = std::min(first, Seconds(t0));

        if (round == 0) {
            t0 = std::chrono::steady_clock::now();
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            doc.RenderAll(writer);
            pdf = Seconds(t0);
        }
    }
    std::printf("records %d, pages %d (best of %d rounds)\n", records, pages, rounds);
    std::printf("select and build the report table  %8.1f ms\n", select * 1000);
    std::printf("lay out the pages                  %8.1f ms\n", layout * 1000);
    std::printf("draw the first page (preview)      %8.1f ms\n", first * 1000);
    std::printf("every page into a PDF (once)       %8.1f ms\n", pdf * 1000);
    return 0;
}
