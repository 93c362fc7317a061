// The analyzer on a large transaction file, step by step as the analysis
// window does it: open (read the file, set up the fields, fill the view),
// the statistics of Gross, Fee and Net, a view refresh with two filters and
// the statistics again. Prints the time of each step and the peak memory.
//
// usage: bench_analyzer_bench FILE.csv
#include "analyzer/filters.h"
#include "analyzer/logview.h"
#include "analyzer/stats.h"

#include <sys/resource.h>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

using namespace pellard;

namespace {

// Wall time, and the processor time of this process: on a machine shared
// with other work the second shows what the step itself costs.
double Cpu() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return s(usage.ru_utime) + s(usage.ru_stime);
}

struct Step {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = Cpu();
    double Wall() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    }
    double Processor() const { return Cpu() - cpu; }
};

double PeakMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void PrintStats(const std::vector<StatRow>& rows) {
    for (const StatRow& r : rows)
        std::printf("    %-6s total %s average %s high %s low %s\n", r.name.c_str(), r.sum.c_str(),
                    r.mean.c_str(), r.high.c_str(), r.low.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.csv\n", argv[0]);
        return 2;
    }
    try {
        SetProgramDateFormat(DateOrder::YearMonthDay);
        LogBase base;
        LogView view(base);

        Step open;
        base.LoadFile(argv[1]);
        std::vector<FieldEntry> display = FieldEntries(base, true);
        view.Refresh(display, nullptr);
        const auto menu = FieldMenu(base);
        const double openWall = open.Wall(), openCpu = open.Processor();
        std::printf(
            "open               %.3f s (processor %.3f s)  %d transactions, %d fields, %s\n",
            openWall, openCpu, base.TransactionCount(), base.FieldCount(),
            view.TotalText().c_str());

        Step stats;
        const auto fields = DefaultStatisticsFields(base);
        const auto all = CalculateStats(view, fields, false);
        const double statsWall = stats.Wall(), statsCpu = stats.Processor();
        std::printf("statistics         %.3f s (processor %.3f s)\n", statsWall, statsCpu);
        PrintStats(all);

        FilterTable filters;
        auto choose = [&](int row, const char* name) {
            for (const auto& e : menu)
                if (e.caption == name) filters.SetFieldChoice(row, e);
        };
        choose(1, "Status");
        filters.SetValue(1, "Completed");
        filters.AddFilter();
        choose(2, "Date");
        filters.SetValue(2, "2023/01/01 to 2023/12/31");
        Step refresh;
        const FilterSet set(filters, base);
        view.Refresh(display, &set);
        std::printf("refresh, 2 filters %.3f s (processor %.3f s)  %s\n", refresh.Wall(),
                    refresh.Processor(), view.TotalText().c_str());

        Step again;
        const auto filtered = CalculateStats(view, fields, false);
        std::printf("statistics         %.3f s (processor %.3f s)\n", again.Wall(),
                    again.Processor());
        PrintStats(filtered);

        Step sort;
        view.SortByField(7);
        std::printf("sort by Gross      %.3f s (processor %.3f s)\n", sort.Wall(),
                    sort.Processor());

        std::printf("open+statistics    %.3f s (processor %.3f s)\n", openWall + statsWall,
                    openCpu + statsCpu);
        std::printf("peak memory        %.0f MB\n", PeakMB());
        std::printf("RESULT open_stats_s=%.3f open_stats_cpu=%.3f peak_mb=%.0f\n",
                    openWall + statsWall, openCpu + statsCpu, PeakMB());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
