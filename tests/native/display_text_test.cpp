#include <gtest/gtest.h>

#include "settings/display_text.h"

TEST(ShortenForDisplay, ShowsUpToSeventyCharactersWhole)
{
    const struct {
        size_t length;
        std::string expected;
    } cases[] = {
        {0, ""},
        {57, std::string(57, 'a')},
        {70, std::string(70, 'a')},
        {71, std::string(70, 'a') + "..."},
        {259, std::string(70, 'a') + "..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ShortenForDisplay(std::string(c.length, 'a'))) << "length " << c.length;
}

TEST(ShortenForDisplay, KeepsTheFirstSeventyCharactersInOrder)
{
    std::string path = "C:\\Games\\A very long folder name that goes on\\and on and on\\beyond the label\\data";
    EXPECT_EQ(path.substr(0, 70) + "...", ShortenForDisplay(path));
}
