// Scanning bytes eight at a time, as one 64-bit word: the library's byte
// search is a byte-by-byte loop on some systems, and texts can be megabytes
// long. Pure code.
#pragma once

#include <cstdint>
#include <cstring>

const uint64_t kOnes = 0x0101010101010101ull, kHighBits = 0x8080808080808080ull;

inline uint64_t Word(const char* p)
{
    uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// Non-zero when one of the word's bytes is zero.
inline uint64_t ZeroByte(uint64_t word)
{
    return (word - kOnes) & ~word & kHighBits;
}
