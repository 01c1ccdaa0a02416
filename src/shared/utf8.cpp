#include "shared/utf8.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "shared/byte_scan.h"

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed sequence at `p`, or 0.
size_t SequenceLength(const unsigned char* p, const unsigned char* end)
{
    unsigned char lead = p[0];
    size_t length;
    unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;  // overlong below U+0800
        if (lead == 0xED)
            high = 0x9F;  // surrogates U+D800..U+DFFF
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;  // overlong below U+10000
        if (lead == 0xF4)
            high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (static_cast<size_t>(end - p) < length || p[1] < low || p[1] > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (!IsContinuation(p[i]))
            return 0;
    return length;
}

char* AppendUtf8(char* p, uint32_t code)
{
    if (code < 0x80) {
        *p++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *p++ = static_cast<char>(0xC0 | (code >> 6));
        *p++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *p++ = static_cast<char>(0xE0 | (code >> 12));
        *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *p++ = static_cast<char>(0xF0 | (code >> 18));
        *p++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return p;
}

}  // namespace

uint32_t Utf16Unit(const unsigned char* units, size_t i, bool bigEndian)
{
    return bigEndian ? static_cast<uint32_t>(units[2 * i] << 8 | units[2 * i + 1])
                     : static_cast<uint32_t>(units[2 * i + 1] << 8 | units[2 * i]);
}

bool IsValidUtf8(const char* data, size_t size)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* end = p + size;
    while (p < end) {
        if (*p < 0x80) {
            // A run of ASCII, sixteen or eight bytes at a time where it can.
#if defined(__SSE2__)
            while (end - p >= 16 && _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))) == 0)
                p += 16;
#endif
            while (end - p >= 8 && (Word(reinterpret_cast<const char*>(p)) & kHighBits) == 0)
                p += 8;
            while (p < end && *p < 0x80)
                ++p;
            continue;
        }
        if (*p >= 0xC2 && *p <= 0xDF && end - p >= 2 && IsContinuation(p[1])) {
            p += 2;  // the common case beyond ASCII: Latin, Greek, Cyrillic letters
            continue;
        }
        size_t length = SequenceLength(p, end);
        if (length == 0)
            return false;
        p += length;
    }
    return true;
}

size_t CharacterCount(const std::string& text)
{
    if (!IsValidUtf8(text.data(), text.size()))
        return text.size();
    size_t count = 0;
    for (char c : text)
        count += !IsContinuation(static_cast<unsigned char>(c));
    return count;
}

size_t PrefixBytes(const std::string& text, size_t count)
{
    if (!IsValidUtf8(text.data(), text.size()))
        return count < text.size() ? count : text.size();
    size_t bytes = 0;
    for (size_t seen = 0; bytes < text.size(); ++bytes) {
        if (!IsContinuation(static_cast<unsigned char>(text[bytes])) && seen++ == count)
            break;
    }
    return bytes;
}

std::string Utf16ToUtf8(const char* data, size_t size, bool bigEndian)
{
    const unsigned char* units = reinterpret_cast<const unsigned char*>(data);
    size_t count = size / 2;
    std::string out(count * 3, '\0');  // no unit takes more than three bytes
    char* end = &out[0];
    for (size_t i = 0; i < count; ++i) {
        uint32_t code = Utf16Unit(units, i, bigEndian);
        if ((code & 0xF800) == 0xD800) {
            uint32_t next = i + 1 < count ? Utf16Unit(units, i + 1, bigEndian) : 0;
            if (code <= 0xDBFF && (next & 0xFC00) == 0xDC00) {
                code = 0x10000 + ((code - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            } else {
                code = 0xFFFD;
            }
        }
        end = AppendUtf8(end, code);
    }
    out.resize(static_cast<size_t>(end - out.data()));
    return out;
}
