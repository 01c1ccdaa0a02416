#include <gtest/gtest.h>

#include "descriptions/line_breaks.h"

TEST(ToCrLf, TurnsEveryLineFeedIntoCarriageReturnLineFeed)
{
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"", ""},
        {"one line", "one line"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"\nfirst line empty", "\r\nfirst line empty"},
        {"\n\n\n", "\r\n\r\n\r\n"},
        {"lone\rcarriage return", "lone\rcarriage return"},  // a lone CR stays
        {"cr before\r\n", "cr before\r\r\n"},                // what text mode left of CR CR LF
        {std::string("zero\0byte\n", 10), std::string("zero\0byte\r\n", 11)},
        {"\xE4\xF6\xFC\n", "\xE4\xF6\xFC\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ToCrLf(c.text)) << '"' << c.text << '"';
}

TEST(ToCrLf, ConvertsALongTextWhole)
{
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "line " + std::to_string(i) + "\n";
    std::string converted = ToCrLf(text);
    EXPECT_EQ(text.size() + 100000, converted.size());
    EXPECT_EQ("line 0\r\nline 1\r\n", converted.substr(0, 16));
    EXPECT_EQ("line 99999\r\n", converted.substr(converted.size() - 12));
}
