// The two table readers: the table file and the grid CSV. The first byte
// picks the reader; the rest is the file. Whatever a file holds, loading
// must not crash, and a table read from a table file must save and load
// back to the same bytes.
#include "fuzz/fuzz.h"
#include "store/core/error.h"
#include "store/core/stringtable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool csv = data[0] & 1;
    const std::string_view bytes = fuzz::Bytes(data + 1, size - 1);
    brenvik::StringTable table;
    try {
        if (csv) table.LoadCSVBytes(bytes);
        else table.LoadTableFileBytes(bytes);
    } catch (const brenvik::StoreError&) {
        return 0;  // refused (too large, not a table file): the table is unchanged
    }
    if (table.ColCount() < 1 || table.RowCount() < 1) fuzz::Fail("a loaded table has no cell");

    const std::string saved = table.TableFileBytes();
    (void)table.CSVBytes();
    if (csv) return 0;  // CSV cells may hold line breaks, which table files drop
    brenvik::StringTable again;
    again.LoadTableFileBytes(saved);
    if (again.TableFileBytes() != saved) fuzz::Fail("a saved table file reads back differently");
    return 0;
}
