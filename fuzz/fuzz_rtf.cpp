// The header and footer texts (RTF, or plain text in the code page). Any
// bytes read without a crash into text of bounded size; the document written
// back is 7-bit RTF that reads again.
#include "fuzz/fuzz.h"
#include "store/core/rtf.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const brenvik::RichDocument doc = brenvik::ReadRtf(bytes);
    // No input character becomes more than one 3-byte UTF-8 character.
    if (doc.PlainText().size() > 3 * size + 3) fuzz::Fail("text larger than its input allows");
    (void)brenvik::RtfLineCount(bytes);

    const std::string written = brenvik::WriteRtf(doc);
    for (unsigned char c : written)
        if (c >= 0x80) fuzz::Fail("written RTF is not 7-bit");
    (void)brenvik::ReadRtf(written);
    return 0;
}
