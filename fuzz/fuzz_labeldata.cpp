// libFuzzer target for the label data file reader (".dld"). Not part of the
// normal build:
//   clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I. \
//     fuzz/fuzz_labeldata.cpp store/labels/labeldata.cpp store/labels/labeltext.cpp \
//     store/core/stream.cpp store/core/safefile.cpp store/core/lines.cpp \
//     -o fuzz_labeldata && ./fuzz_labeldata fuzz/corpus/labeldata -max_len=4096
// Whatever a file holds, reading must not crash, and a layout read whole must
// write back to bytes that read to the same layout.
#include "store/labels/labeldata.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    brenvik::LabelLayout layout;
    if (!brenvik::ReadLayout(bytes, layout, brenvik::LayoutFile::LabelData)) return 0;
    const std::string saved = brenvik::LayoutBytes(layout, brenvik::LayoutFile::LabelData);
    brenvik::LabelLayout again;
    if (!brenvik::ReadLayout(saved, again, brenvik::LayoutFile::LabelData)) std::abort();
    if (!(again == layout)) std::abort();
    if (brenvik::LayoutBytes(again, brenvik::LayoutFile::LabelData) != saved) std::abort();
    return 0;
}
