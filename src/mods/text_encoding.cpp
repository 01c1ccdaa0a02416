#include "mods/text_encoding.h"

#include <cstdint>
#include <cstring>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Eight bytes at a time, as one 64-bit word: the library's byte search is a
// byte-by-byte loop on some systems, and descriptions can be megabytes long.
const uint64_t kOnes = 0x0101010101010101ull, kHighBits = 0x8080808080808080ull;

uint64_t Word(const char* p)
{
    uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// Non-zero when one of the word's bytes is zero.
uint64_t ZeroByte(uint64_t word)
{
    return (word - kOnes) & ~word & kHighBits;
}

// The first `c` from `p` on, or `end`.
const char* FindByte(const char* p, const char* end, char c)
{
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(c);
    while (end - p >= 16 &&
           _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), wanted)) == 0)
        p += 16;
#endif
    uint64_t pattern = kOnes * static_cast<unsigned char>(c);
    while (end - p >= 8 && !ZeroByte(Word(p) ^ pattern))
        p += 8;
    while (p < end && *p != c)
        ++p;
    return p;
}

// True when the bytes hold a zero byte or a Ctrl-Z, which the text-mode read treats apart.
bool HasZeroOrCtrlZ(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), ctrlZ16 = _mm_set1_epi8(0x1A);
    for (; end - p >= 16; p += 16) {
        __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(sixteen, zero), _mm_cmpeq_epi8(sixteen, ctrlZ16))))
            return true;
    }
#endif
    uint64_t ctrlZ = kOnes * 0x1A;
    for (; end - p >= 8; p += 8)
        if (ZeroByte(Word(p)) | ZeroByte(Word(p) ^ ctrlZ))
            return true;
    for (; p < end; ++p)
        if (*p == '\0' || *p == '\x1A')
            return true;
    return false;
}

const size_t kBlock = 1023;  // characters per read of the text-mode reader

bool HasUtf16Mark(const std::string& bytes)
{
    return bytes.size() >= 2 &&
           ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

uint32_t Utf16Unit(const unsigned char* units, size_t i, bool bigEndian)
{
    return bigEndian ? static_cast<uint32_t>(units[2 * i] << 8 | units[2 * i + 1])
                     : static_cast<uint32_t>(units[2 * i + 1] << 8 | units[2 * i]);
}

// The text as it comes: a UTF-8 mark dropped, or valid UTF-8 as it is, or
// else bytes of the legacy code page.
DecodedDescription ByContent(std::string text)
{
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return {text.substr(3), DescriptionEncoding::Utf8};
    bool utf8 = IsValidUtf8(text.data(), text.size());
    return {std::move(text), utf8 ? DescriptionEncoding::Utf8 : DescriptionEncoding::Legacy};
}

}  // namespace

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

std::string Utf16FileToUtf8(std::string bytes)
{
    bool bigEndian = bytes[0] == '\xFE';
    const unsigned char* units = reinterpret_cast<const unsigned char*>(bytes.data()) + 2;
    char* text = &bytes[0];
    size_t count = (bytes.size() - 2) / 2;
    size_t i = 0, out = 0;  // the UTF-8 is written over the units already read
    // Without branches on the character's length, which would be mispredicted
    // at every change of script: three bytes are always written, `length` kept.
    static const unsigned char kLead[4] = {0, 0x00, 0xC0, 0xE0};
    static const unsigned char kLeadShift[4] = {0, 0, 6, 12};
    static const unsigned char kMiddleShift[4] = {0, 0, 0, 6};
    // Three bytes written at `out` must end before the next unit: out + 3 <= 2 + 2 * (i + 1).
    while (i < count && out <= 2 * i + 1) {
        uint32_t code = Utf16Unit(units, i, bigEndian);
        if ((code & 0xF800) == 0xD800)
            break;  // surrogates: the general way
#if defined(__SSE2__)
        // A run of ASCII, eight units at a time.
        if (code < 0x80 && i + 8 <= count) {
            __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + 2 * i));
            if (bigEndian)
                eight = _mm_or_si128(_mm_slli_epi16(eight, 8), _mm_srli_epi16(eight, 8));
            __m128i high = _mm_and_si128(eight, _mm_set1_epi16(static_cast<short>(0xFF80)));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(text + out), _mm_packus_epi16(eight, eight));
                out += 8;
                i += 8;
                continue;
            }
        }
#endif
        size_t length = 1 + (code >= 0x80) + (code >= 0x800);
        text[out] = static_cast<char>(kLead[length] | (code >> kLeadShift[length]));
        text[out + 1] = static_cast<char>(0x80 | ((code >> kMiddleShift[length]) & 0x3F));
        text[out + 2] = static_cast<char>(0x80 | (code & 0x3F));
        out += length;
        ++i;
    }
    // The rest, if any, the general way.
    std::string rest =
        i < count ? Utf16ToUtf8(bytes.data() + 2 + 2 * i, 2 * (count - i), bigEndian) : std::string();
    bytes.resize(out);
    bytes += rest;
    return bytes;
}

std::string TextModeContent(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    size_t inBlock = 0;     // characters delivered in the current block
    bool zeroSeen = false;  // the current block ended early at a zero byte
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\x1A')
            break;
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;  // the LF that follows is delivered instead
        if (c == '\0')
            zeroSeen = true;
        if (!zeroSeen)
            text += c;
        if (++inBlock == kBlock) {
            inBlock = 0;
            zeroSeen = false;
        }
    }
    return text;
}

std::string CrLfToLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

DecodedDescription DecodeDescription(const std::string& bytes)
{
    if (HasUtf16Mark(bytes))
        return {CrLfToLf(Utf16FileToUtf8(bytes)), DescriptionEncoding::Utf8};
    return ByContent(TextModeContent(bytes));
}

std::string WithCrLf(std::string text)
{
    // Most files have CR LF line ends already: then the text is its own result.
    const char* begin = text.data();
    const char* end = begin + text.size();
    size_t lone = 0;
    for (const char* p = FindByte(begin, end, '\n'); p < end; p = FindByte(p + 1, end, '\n'))
        lone += p == begin || p[-1] != '\r';
    if (lone == 0)
        return text;
    std::string out;
    out.reserve(text.size() + lone);
    const char* rest = begin;
    for (const char* lineFeed = FindByte(rest, end, '\n'); lineFeed < end; lineFeed = FindByte(rest, end, '\n')) {
        out.append(rest, lineFeed);
        if (lineFeed == begin || lineFeed[-1] != '\r')
            out += '\r';
        out += '\n';
        rest = lineFeed + 1;
    }
    out.append(rest, end);
    return out;
}

DecodedDescription DescriptionForDisplay(std::string bytes)
{
    DecodedDescription decoded;
    if (HasUtf16Mark(bytes))
        decoded = {Utf16FileToUtf8(std::move(bytes)), DescriptionEncoding::Utf8};
    else if (HasZeroOrCtrlZ(bytes.data(), bytes.data() + bytes.size()))
        decoded = ByContent(TextModeContent(bytes));
    else
        // Without zero bytes and Ctrl-Z the text-mode read changes only CR LF
        // to LF, which the display turns back: the bytes need no pass of their own.
        decoded = ByContent(std::move(bytes));
    // CR LF to LF and back is nothing to do: only lone line feeds change.
    decoded.text = WithCrLf(std::move(decoded.text));
    return decoded;
}
