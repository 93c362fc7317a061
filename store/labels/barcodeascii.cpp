#include "store/labels/barcodeascii.h"

namespace brenvik {

std::string FullAsciiPair(unsigned char c) {
    if (c == 0) return "%U";
    if (c <= 26) return std::string("$") + static_cast<char>('A' + c - 1);
    if (c <= 31) return std::string("%") + static_cast<char>('A' + c - 27);
    if (c == ' ' || c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
        return std::string(1, static_cast<char>(c));
    if (c >= '!' && c <= ',') return std::string("/") + static_cast<char>('A' + c - '!');
    if (c == '/') return "/O";
    if (c == ':') return "/Z";
    if (c >= ';' && c <= '?') return std::string("%") + static_cast<char>('F' + c - ';');
    if (c == '@') return "%V";
    if (c >= '[' && c <= '_') return std::string("%") + static_cast<char>('K' + c - '[');
    if (c == '`') return "%W";
    if (c >= 'a' && c <= 'z') return std::string("+") + static_cast<char>('A' + c - 'a');
    if (c >= '{' && c <= 127) return std::string("%") + static_cast<char>('P' + c - '{');
    return {};
}

}  // namespace brenvik
