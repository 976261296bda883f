// Code page 932, the encoding of every text the product handles: which bytes begin a
// double-byte character, and how much of a text can be kept without splitting one.
#pragma once

#include <cstddef>

// True for the first byte of a double-byte character (0x81..0x9F, 0xE0..0xFC).
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length of the longest prefix of text[0..length) that ends on a character boundary.
inline size_t WholeCharacters(const char* text, size_t length) {
    size_t i = 0;
    while (i < length) {
        const size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > length) break;
        i += step;
    }
    return i;
}
