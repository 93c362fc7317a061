// Both settings files (the first holds the invoice font as a component
// record). The first byte picks the file; the rest is its bytes. Reading
// keeps what it could read and must not crash; what is written from those
// settings must read back whole and write the same bytes again.
#include "fuzz/fuzz.h"
#include "store/core/settings.h"

#include <string>

namespace {

bool Read(bool second, std::string_view bytes, brenvik::Settings& s) {
    return second ? brenvik::ReadSettings2Bytes(bytes, s) : brenvik::ReadSettingsBytes(bytes, s);
}

std::string Write(bool second, const brenvik::Settings& s) {
    return second ? brenvik::Settings2FileBytes(s) : brenvik::SettingsFileBytes(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool second = data[0] & 1;
    brenvik::Settings settings;
    Read(second, fuzz::Bytes(data + 1, size - 1), settings);

    const std::string saved = Write(second, settings);
    brenvik::Settings again;
    if (!Read(second, saved, again)) fuzz::Fail("saved settings do not read back whole");
    if (Write(second, again) != saved) fuzz::Fail("saved settings read back differently");
    return 0;
}
