#include "mods/text_encoding.h"

#include <cstdint>
#include <cstring>

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

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

const size_t kBlock = 1023;  // characters per read of the text-mode reader

}  // namespace

bool IsValidUtf8(const char* data, size_t size)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* end = p + size;
    while (p < end) {
        // Eight ASCII bytes at a time: most descriptions are mostly ASCII.
        if (end - p >= 8) {
            uint64_t eight;
            std::memcpy(&eight, p, 8);
            if ((eight & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
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
    for (char byte : text)
        count += !IsContinuation(static_cast<unsigned char>(byte));
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
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
    size_t units = size / 2;
    auto unit = [&](size_t i) -> uint32_t {
        return bigEndian ? (bytes[2 * i] << 8 | bytes[2 * i + 1]) : (bytes[2 * i + 1] << 8 | bytes[2 * i]);
    };
    std::string out;
    out.reserve(units * 3 / 2);
    for (size_t i = 0; i < units; ++i) {
        uint32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    return out;
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
    if (bytes.size() >= 2) {
        unsigned char first = static_cast<unsigned char>(bytes[0]), second = static_cast<unsigned char>(bytes[1]);
        if ((first == 0xFF && second == 0xFE) || (first == 0xFE && second == 0xFF))
            return {CrLfToLf(Utf16ToUtf8(bytes.data() + 2, bytes.size() - 2, first == 0xFE)),
                    DescriptionEncoding::Utf8};
    }
    std::string text = TextModeContent(bytes);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return {text.substr(3), DescriptionEncoding::Utf8};
    if (IsValidUtf8(text.data(), text.size()))
        return {text, DescriptionEncoding::Utf8};
    return {text, DescriptionEncoding::Legacy};
}
