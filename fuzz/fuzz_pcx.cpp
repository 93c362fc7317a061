// PCX logos, by our own decoder. Any bytes decode without a crash to a
// picture or nothing; a small picture written as PCX decodes to the same
// pixels.
#include "fuzz/fuzz.h"
#include "ui/pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = ui::DecodePcx(fuzz::Bytes(data, size));
    if (!image || image->width() * image->height() > 4096) return 0;
    for (const bool paletted : {false, true}) {
        const auto again = ui::DecodePcx(ui::EncodePcx(*image, paletted));
        if (!again || again->size() != image->size()) fuzz::Fail("a written PCX does not decode");
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                if ((again->pixel(x, y) & 0xFFFFFF) != (image->pixel(x, y) & 0xFFFFFF))
                    fuzz::Fail("a written PCX decodes to other pixels");
    }
    return 0;
}
