#include <gtest/gtest.h>

#include "shared/text_format.h"

TEST(FormatText, FillsInNumberedDetails)
{
    EXPECT_EQ("3 mods: A, B", FormatText("%1 mods: %2", {"3", "A, B"}));
    EXPECT_EQ("%2 stays, 100% too", FormatText("%2 stays, 100% too", {"x"}));
    EXPECT_EQ("a%1b", FormatText("%1", {"a%1b"})) << "a detail is not filled in again";
}

TEST(ShortenInMiddle, KeepsBothEndsAndWholeCharacters)
{
    const struct {
        std::string text;
        size_t limit;
        std::string shown;
    } cases[] = {
        {"short.pak", 60, "short.pak"},
        {std::string(60, 'x'), 60, std::string(60, 'x')},
        {"abcdefghij.pak", 10, "abcd...pak"},
        {"\xD0\x9C\xD0\xBE\xD0\xB4\xD0\x9C\xD0\xBE\xD0\xB4.pak", 9, "\xD0\x9C\xD0\xBE\xD0\xB4...pak"},
        {"\xE6\xA8\xA1\xE7\xBB\x84\xE6\xA8\xA1\xE7\xBB\x84\xE6\xA8\xA1", 4, "\xE6\xA8\xA1..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, ShortenInMiddle(c.text, c.limit)) << c.text;
}

TEST(JoinFirst, JoinsOnlyTheFirstItems)
{
    EXPECT_EQ("A, B", JoinFirst({"A", "B", "C", "D"}, 2, ", "));
    EXPECT_EQ("A, B", JoinFirst({"A", "B"}, 2, ", "));
    EXPECT_EQ("a\nb", JoinFirst({"a", "b", "c"}, 2, "\n"));
    EXPECT_EQ("", JoinFirst({}, 15, "\n"));
}
