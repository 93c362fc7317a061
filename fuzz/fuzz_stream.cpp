// The component stream: one component record read with every value kind,
// and the invoice font's record. Bad bytes end the reading with a
// StreamError and nothing else.
#include "fuzz/fuzz.h"
#include "store/core/fontrecord.h"
#include "store/core/settings.h"
#include "store/core/stream.h"

#include <string>

namespace {

using brenvik::StreamReader;

// One value of whatever kind its tag names.
void ReadAnyValue(StreamReader& r) {
    switch (r.PeekTag()) {
    case brenvik::TagInt8:
    case brenvik::TagInt16:
    case brenvik::TagInt32:
        (void)r.ReadInteger();
        break;
    case brenvik::TagString:
    case brenvik::TagLongString:
        (void)r.ReadString();
        break;
    case brenvik::TagIdent:
        (void)r.ReadIdent();
        break;
    case brenvik::TagSet:
        (void)r.ReadSet();
        break;
    case brenvik::TagFalse:
    case brenvik::TagTrue:
        (void)r.ReadBoolean();
        break;
    default:
        (void)r.ReadByteBlock();
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    try {
        StreamReader r(bytes);
        brenvik::ReadComponent(r, [](const std::string&, StreamReader& r) { ReadAnyValue(r); });
        if (r.Position() > bytes.size()) fuzz::Fail("read past the end");
    } catch (const brenvik::StreamError&) {}
    try {
        StreamReader r(bytes);
        brenvik::FontRecord font;
        brenvik::ReadInvoiceFont(r, font);
    } catch (const brenvik::StreamError&) {}
    return 0;
}
