#pragma once
// Full ASCII for Code 39 and Code 93: each character 0 to 127 as one base
// character or a shift character ('$', '%', '/', '+') and a letter.
#include <string>

namespace brenvik {

// Empty for a character above 127.
std::string FullAsciiPair(unsigned char c);

}  // namespace brenvik
