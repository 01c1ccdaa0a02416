// UTF-8 and UTF-16: checking, counting characters and converting. Pure
// code with no platform headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// True when the bytes are well-formed UTF-8: no overlong forms, no surrogate
// code points, nothing above U+10FFFF, no sequence cut off.
bool IsValidUtf8(const char* data, size_t size);

// The byte length of the first `count` characters of `text` (all of it when
// it has fewer): characters are code points when it is valid UTF-8, else bytes
// (a single-byte code page).
size_t PrefixBytes(const std::string& text, size_t count);

// The number of characters: code points of valid UTF-8, else bytes.
size_t CharacterCount(const std::string& text);

// UTF-16 unit i of `units`, in either byte order.
uint32_t Utf16Unit(const unsigned char* units, size_t i, bool bigEndian);

// UTF-16 bytes (little or big endian) as UTF-8. An odd last byte is dropped;
// a surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(const char* data, size_t size, bool bigEndian);
