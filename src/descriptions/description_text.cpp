#include "descriptions/description_text.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "descriptions/line_breaks.h"
#include "shared/byte_scan.h"
#include "shared/utf8.h"

namespace {

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

// A UTF-16 file as UTF-8 text without its U+0000 characters, which would end
// the text where the box takes it as a zero-terminated string.
std::string Utf16TextToUtf8(std::string bytes)
{
    std::string text = Utf16FileToUtf8(std::move(bytes));
    if (text.find('\0') != std::string::npos)
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
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
        return {CrLfToLf(Utf16TextToUtf8(bytes)), DescriptionEncoding::Utf8};
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
    if (HasZeroOrCtrlZ(bytes.data(), bytes.data() + bytes.size()) && !HasUtf16Mark(bytes)) {
        // The text-mode read has made every line break of the file a lone LF,
        // even one that follows a lone CR: each becomes CR LF.
        decoded = ByContent(TextModeContent(bytes));
        decoded.text = ToCrLf(decoded.text);
        return decoded;
    }
    if (HasUtf16Mark(bytes))
        decoded = {Utf16TextToUtf8(std::move(bytes)), DescriptionEncoding::Utf8};
    else
        // Without zero bytes and Ctrl-Z the text-mode read changes only CR LF
        // to LF, which the display turns back: the bytes need no pass of their own.
        decoded = ByContent(std::move(bytes));
    // CR LF to LF and back is nothing to do: only lone line feeds change.
    decoded.text = WithCrLf(std::move(decoded.text));
    return decoded;
}
