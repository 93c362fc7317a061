// libFuzzer target for the two table readers. Not part of the normal build:
//   clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I. \
//     fuzz/fuzz_tables.cpp store/core/stringtable.cpp store/core/tablefile.cpp \
//     store/core/gridcsv.cpp store/core/bulkbuffer.cpp store/core/lines.cpp \
//     store/core/safefile.cpp \
//     -o fuzz_tables && ./fuzz_tables -max_len=4096 -rss_limit_mb=1024
// The first byte picks the reader; the rest is the file. Whatever a file
// holds, loading must not crash, and a table read from a table file must
// save and load back to the same bytes.
#include "store/core/error.h"
#include "store/core/stringtable.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool csv = data[0] & 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    brenvik::StringTable table;
    try {
        if (csv) table.LoadCSVBytes(bytes);
        else table.LoadTableFileBytes(bytes);
    } catch (const brenvik::StoreError&) {
        return 0;  // refused (too large, not a table file): the table is unchanged
    }
    if (table.ColCount() < 1 || table.RowCount() < 1) std::abort();

    const std::string saved = table.TableFileBytes();
    (void)table.CSVBytes();
    if (csv) return 0;  // CSV cells may hold line breaks, which table files drop
    brenvik::StringTable again;
    again.LoadTableFileBytes(saved);
    if (again.TableFileBytes() != saved) std::abort();
    return 0;
}
