#pragma once
// UTF-8 one character at a time, for readers and writers that mix it with
// escapes of their own (the code page conversions use the same code).
#include <cstddef>
#include <string>
#include <string_view>

namespace brenvik {

// The length of the well-formed UTF-8 sequence at `i` (< s.size()) with its
// character in `out`, or 0 (and `out` untouched) when none starts there.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& out);
// Appends the UTF-8 form of a character.
void AppendUtf8(std::string& out, char32_t ch);

}  // namespace brenvik
