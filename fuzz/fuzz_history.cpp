// Item history files. Any bytes split into lines without a crash, and the
// lines written back read as the same lines.
#include "fuzz/fuzz.h"
#include "store/inventory/history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const brenvik::HistoryList history = brenvik::ParseHistoryBytes(fuzz::Bytes(data, size));
    const std::string saved = brenvik::HistoryFileBytes(history);
    if (brenvik::ParseHistoryBytes(saved) != history)
        fuzz::Fail("history lines read back differently");
    return 0;
}
