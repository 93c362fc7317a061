// Filter files (table files of field name, type and value) loaded against
// a small transaction file, then every transaction tested against them.
#include "analyzer/filters.h"
#include "analyzer/logview.h"
#include "fuzz/fuzz.h"
#include "store/core/error.h"

#include <memory>

using namespace pellard;

namespace {

struct Setup {
    LogBase base;
    std::vector<FieldMenuEntry> menu;
    Setup() {
        base.LoadBytes(
            "Date,Amount,Country,Name\r\n"
            "2024/01/31,12.50,Canada,Ann\r\n"
            "2024/02/29,-3,France,Bob\r\n"
            "bad date,1e3,,\r\n"
            "1999/12/31,\"1,234.5\",Canada,Zoe\r\n");
        base.TrimNames();
        menu = FieldMenu(base);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto setup = std::make_unique<Setup>();
    FilterTable filters;
    try {
        filters.LoadBytes(fuzz::Bytes(data, size), setup->menu);
    } catch (const brenvik::StoreError&) {
        return 0;
    }
    const FilterSet set(filters, setup->base);
    for (int row = 1; row <= setup->base.TransactionCount(); ++row) (void)set.Passes(row);
    for (int row = 1; row < filters.RowCount(); ++row)
        for (int field = 0; field < setup->base.FieldCount(); ++field)
            (void)ProcessFilter(setup->base.Cell(field, row % 5), filters.Value(row), row & 1,
                                setup->base.IsDateField(field));
    return 0;
}
