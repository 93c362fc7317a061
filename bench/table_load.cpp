// Loads a large comma-separated file into a string table and saves it again
// as a table file and as CSV, reporting the time of each step and the peak
// memory of the load.
//
// usage: bench_table_load CSV [OUTDIR]
#include "store/core/stringtable.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

namespace {

// Wall time and the processor time this process used, so that figures
// taken on a busy machine can still be judged.
struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = Cpu();

    static double Cpu() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
        return s(usage.ru_utime) + s(usage.ru_stime);
    }
    std::string Report() const {
        char buf[64];
        std::snprintf(
            buf, sizeof buf, "%.3f s (processor %.3f s)",
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count(),
            Cpu() - cpu);
        return buf;
    }
};

double PeakMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

double FileMB(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    return static_cast<double>(st.st_size) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CSV [OUTDIR]\n", argv[0]);
        return 2;
    }
    const std::string csv = argv[1];
    const std::string outDir = argc > 2 ? argv[2] : ".";
    const std::string tableOut = outDir + "/table_bench.dt2";
    const std::string csvOut = outDir + "/table_bench_out.csv";
    try {
        const double fileMB = FileMB(csv);
        const double startMB = PeakMB();
        brenvik::StringTable table(64);
        Clock clock;
        table.LoadFromCSV(csv);
        const std::string load = clock.Report();
        const double peakMB = PeakMB();
        std::printf("file            %.1f MB, %d rows x %d columns\n", fileMB, table.RowCount(),
                    table.ColCount());
        std::printf("load CSV        %s\n", load.c_str());
        std::printf("peak memory     %.1f MB (%.2f x file; %.1f MB before loading)\n", peakMB,
                    peakMB / fileMB, startMB);
        std::printf("table memory    %.1f MB\n",
                    static_cast<double>(table.MemoryUsed()) / (1024.0 * 1024.0));

        clock = Clock();
        table.SaveToFile(tableOut);
        std::printf("save table file %s, %.1f MB\n", clock.Report().c_str(), FileMB(tableOut));

        clock = Clock();
        table.SaveToCSV(csvOut);
        std::printf("save CSV        %s, %.1f MB\n", clock.Report().c_str(), FileMB(csvOut));

        brenvik::StringTable reloaded(64);
        clock = Clock();
        reloaded.LoadFromFile(tableOut);
        std::printf("load table file %s\n", clock.Report().c_str());
        if (reloaded.RowCount() != table.RowCount() || reloaded.ColCount() != table.ColCount()) {
            std::printf("MISMATCH: the table file loads as %d x %d\n", reloaded.ColCount(),
                        reloaded.RowCount());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
