#pragma once
// The Western Windows code page that the store's files hold, and its
// relation to Unicode and UTF-8. Bytes 0x80..0x9F differ from Latin-1; the
// five bytes unassigned there stand for the C1 controls of the same value,
// so every byte maps to one character and back.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

// The character a code page byte stands for.
char32_t WesternToUnicode(unsigned char byte);
// The code page byte of a character, or nothing when the page has no form.
std::optional<unsigned char> UnicodeToWestern(char32_t ch);

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);

// Code page bytes as UTF-8.
std::string WesternToUtf8(std::string_view bytes);

// UTF-8 text in the code page. A character without a form there becomes '?'
// and, for the first one, its byte offset in `text` is stored in
// `firstUnmapped` (left alone when every character maps). Ill-formed UTF-8
// bytes are taken as code page bytes already.
std::string Utf8ToWestern(std::string_view text, std::size_t* firstUnmapped = nullptr);

// Lower case in the code page: ASCII, the accented capitals and the capitals
// of the 0x80..0x9F block.
unsigned char LowerWestern(unsigned char byte);
std::string LowerWestern(std::string_view text);

}  // namespace brenvik
