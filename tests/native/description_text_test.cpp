#include <gtest/gtest.h>

#include "descriptions/line_breaks.h"
#include "descriptions/description_text.h"
#include "shared/utf8.h"
#include "settings/display_text.h"

namespace {

TEST(IsValidUtf8, AcceptsWellFormedTextAndRejectsEveryMalformedKind)
{
    const struct {
        const char* what;
        std::string bytes;
        bool valid;
    } cases[] = {
        {"empty", "", true},
        {"ASCII, longer than eight bytes", "A plain description.\r\n", true},
        {"Cyrillic", "\xD0\x9C\xD0\xBE\xD0\xB4", true},
        {"Chinese", "\xE6\xA8\xA1\xE7\xBB\x84", true},
        {"emoji, four bytes", "\xF0\x9F\x8E\xAE", true},
        {"largest code point U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"a zero byte", std::string("a\0b", 3), true},
        {"Latin-1 byte alone", "Caf\xE9", false},
        {"overlong slash, two bytes", "\xC0\xAF", false},
        {"overlong, three bytes", "\xE0\x80\xAF", false},
        {"overlong, four bytes", "\xF0\x80\x80\xAF", false},
        {"surrogate U+D800", "\xED\xA0\x80", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"lead byte F5", "\xF5\x80\x80\x80", false},
        {"continuation byte alone", "\x80", false},
        {"cut off at the end", "ok \xE6\xA8", false},
        {"cut off by ASCII",
         "\xE6\xA8"
         "abcdefgh",
         false},
        {"malformed after eight ASCII bytes", "abcdefgh\xFF", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, IsValidUtf8(c.bytes.data(), c.bytes.size())) << c.what;
}

TEST(ShortenForDisplay, CountsCharactersOfUtf8AndNeverCutsOne)
{
    const std::string cyrillic = "\xD0\x94";  // one character, two bytes
    const std::string emoji = "\xF0\x9F\x8E\xAE";
    auto times = [](const std::string& piece, size_t count) {
        std::string text;
        for (size_t i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    const struct {
        const char* what;
        std::string path;
        std::string shown;
    } cases[] = {
        {"70 two-byte characters are whole", times(cyrillic, 70), times(cyrillic, 70)},
        {"71 are cut to 70", times(cyrillic, 71), times(cyrillic, 70) + "..."},
        {"69 ASCII, then an emoji", std::string(69, 'a') + emoji + emoji, std::string(69, 'a') + emoji + "..."},
        {"not UTF-8: one per byte", std::string(71, '\xE9'), std::string(70, '\xE9') + "..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, ShortenForDisplay(c.path)) << c.what;
}

TEST(Utf16ToUtf8, DecodesBothByteOrdersPairsAndStrays)
{
    const struct {
        const char* what;
        std::string bytes;
        bool bigEndian;
        std::string text;
    } cases[] = {
        {"ASCII little endian", std::string("A\0B\0", 4), false, "AB"},
        {"ASCII big endian", std::string("\0A\0B", 4), true, "AB"},
        {"Cyrillic", "\x14\x04", false, "\xD0\x94"},
        {"surrogate pair", "\x3C\xD8\xAE\xDF", false, "\xF0\x9F\x8E\xAE"},
        {"lone high surrogate",
         std::string("\x3C\xD8"
                     "A\0",
                     4),
         false,
         "\xEF\xBF\xBD"
         "A"},
        {"lone low surrogate", "\xAE\xDF", false, "\xEF\xBF\xBD"},
        {"odd last byte dropped", std::string("A\0B", 3), false, "A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, Utf16ToUtf8(c.bytes.data(), c.bytes.size(), c.bigEndian)) << c.what;
}

TEST(Utf16FileToUtf8, ConvertsInPlaceAsTheGeneralWayDoes)
{
    std::string chinese, mixed;
    for (int i = 0; i < 50; ++i) {
        chinese += "\x21\x6A";  // U+6A21, three bytes in UTF-8 for two in UTF-16
        mixed += std::string("ab\x14\x04\x3C\xD8\xAE\xDF", 8);
    }
    const std::string bodies[] = {"",
                                  std::string("A\0", 2),
                                  chinese,
                                  mixed,
                                  std::string("\0\xD8", 2) + chinese,
                                  std::string(100, 'x') + chinese + "z"};
    for (const std::string& body : bodies)
        for (const char* mark : {"\xFF\xFE", "\xFE\xFF"}) {
            std::string expected = Utf16ToUtf8(body.data(), body.size(), mark[0] == '\xFE');
            EXPECT_EQ(expected, Utf16FileToUtf8(mark + body)) << ::testing::PrintToString(body);
        }
}

TEST(DecodeDescription, FollowsTheMarkThenTheBytes)
{
    const DescriptionEncoding utf8 = DescriptionEncoding::Utf8, legacy = DescriptionEncoding::Legacy;
    const struct {
        const char* what;
        std::string bytes;
        std::string text;
        DescriptionEncoding encoding;
    } cases[] = {
        {"ASCII", "one\r\ntwo\n", "one\ntwo\n", utf8},
        {"UTF-8 mark dropped", "\xEF\xBB\xBF\xD0\x94\r\n", "\xD0\x94\n", utf8},
        {"UTF-8 without mark", "\xD0\x94", "\xD0\x94", utf8},
        {"UTF-16 LE mark, zero bytes kept",
         std::string("\xFF\xFE"
                     "A\0\r\0\n\0\x14\x04",
                     10),
         "A\n\xD0\x94", utf8},
        {"UTF-16 BE mark, odd byte dropped", std::string("\xFE\xFF\0A\0B\0", 7), "AB", utf8},
        {"UTF-16 U+0000 dropped, the rest kept",
         std::string("\xFF\xFE"
                     "a\0\0\0b\0",
                     8),
         "ab", utf8},
        {"Latin-1 bytes stay for the legacy code page", "Caf\xE9\r\n", "Caf\xE9\n", legacy},
        {"overlong form is legacy", "\xC0\xAF", "\xC0\xAF", legacy},
        {"only a mark", "\xEF\xBB\xBF", "", utf8},
    };
    for (const auto& c : cases) {
        DecodedDescription decoded = DecodeDescription(c.bytes);
        EXPECT_EQ(c.text, decoded.text) << c.what;
        EXPECT_EQ(c.encoding, decoded.encoding) << c.what;
    }
}

TEST(TextModeContent, KeepsEachBlockUpToItsFirstZeroAndStopsAtCtrlZ)
{
    const struct {
        const char* what;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"CR LF to LF, lone CR kept", "a\r\nb\rc\r", "a\nb\rc\r"},
        {"zero ends its block", std::string("ab\0cd", 5), "ab"},
        {"next block goes on", std::string(1022, 'x') + std::string("\0", 1) + "yz",
         std::string(1022, 'x') + "yz"},
        {"CR LF counts once toward a block", std::string(1022, 'x') + "\r\n" + std::string("\0q", 2),
         std::string(1022, 'x') + "\n"},
        {"Ctrl-Z ends the file",
         "before\x1A"
         "after",
         "before"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, TextModeContent(c.bytes)) << c.what;
}

TEST(DescriptionForDisplay, GivesWhatDecodingThenLineBreakConversionGive)
{
    const std::string inputs[] = {
        "",
        "crlf\r\nlines\r\n",
        "lf\nlines\n",
        "\nstarts with a line feed",
        "mixed\r\n\n\r\r\n\rend\r",
        "\xEF\xBB\xBF\xD0\x94\n",
        "Caf\xE9\r\nlegacy\n",
        std::string("zero\0byte\n", 10),
        std::string("ctrl-Z\n\x1A") + "after\n",
        std::string("\xFF\xFE"
                    "a\0\n\0\r\0\n\0",
                    10),
        std::string(1022, 'x') + "\r\n" + std::string("\0q\n", 3),
        "lone CR before CR LF\r\r\nin a file with Ctrl-Z\x1A",
        std::string("\xFF\xFE"
                    "a\0\0\0\r\0\r\0\n\0",
                    12),
    };
    for (const std::string& bytes : inputs) {
        DecodedDescription decoded = DecodeDescription(bytes);
        DecodedDescription shown = DescriptionForDisplay(bytes);
        EXPECT_EQ(ToCrLf(decoded.text), shown.text) << ::testing::PrintToString(bytes);
        EXPECT_EQ(decoded.encoding, shown.encoding) << ::testing::PrintToString(bytes);
    }
}

}  // namespace
