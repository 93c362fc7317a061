// libFuzzer target for the "labset.set" reader and the label text built
// from what it holds. Not part of the normal build:
//   clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I. \
//     fuzz/fuzz_labset.cpp store/labels/labeldata.cpp store/labels/labeltext.cpp \
//     store/core/stream.cpp store/core/safefile.cpp store/core/lines.cpp \
//     -o fuzz_labset && ./fuzz_labset fuzz/corpus/labset -max_len=4096
// Reading must not crash and keeps what it read before a failure; the
// entries it gives compose into lines without trouble.
#include "store/labels/labeldata.h"
#include "store/labels/labeltext.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    brenvik::LabelLayout layout;
    layout.entries = {{"Stale", brenvik::TagComma}};
    const bool whole = brenvik::ReadLayout(bytes, layout, brenvik::LayoutFile::LabelSettings);
    // The list is cleared before anything is read.
    if (size == 0 && !layout.entries.empty()) std::abort();
    const auto lines = brenvik::GenerateLabelText(
        layout.entries, [](int column) { return std::to_string(column); });
    if (lines.empty()) std::abort();
    (void)brenvik::LabelFontPoints(layout.fontSize);
    if (whole) {
        brenvik::LabelLayout again;
        const std::string saved = brenvik::LayoutBytes(layout, brenvik::LayoutFile::LabelSettings);
        if (!brenvik::ReadLayout(saved, again, brenvik::LayoutFile::LabelSettings)) std::abort();
        if (!(again.entries == layout.entries)) std::abort();
    }
    return 0;
}
