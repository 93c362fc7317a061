// JPEG logos through libjpeg: any bytes decode without a crash, a leak or a
// jump out of the decoder, to a picture or nothing.
#include "fuzz/fuzz.h"
#include "ui/pictureloader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = ui::DecodeJpeg(fuzz::Bytes(data, size));
    if (image && (image->isNull() || image->width() <= 0)) fuzz::Fail("an empty picture");
    return 0;
}
