#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "finder/library_folders.h"

namespace {

typedef std::vector<std::string> Folders;

std::string Repeated(const std::string& part, size_t times)
{
    std::string text;
    for (size_t i = 0; i < times; ++i)
        text += part;
    return text;
}

TEST(LibraryFolders, ReadsBothFormsSteamWritesAndNothingFromTextThatDoesNotParseWhole)
{
    const size_t kHuge = 4 << 20;  // larger than any real list; the sanitizers watch every byte
    std::string longPath = "D:\\" + std::string(10000, 'x');
    const char zeroInPath[] = "\"libraryfolders\" { \"1\" \"D:\\\\\0A\" }";
    const struct {
        const char* what;
        std::string text;
        Folders expected;
    } cases[] = {
        {"current form, as Steam writes it",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\Program Files (x86)\\\\Steam\"\n"
         "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n"
         "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"D:\\\\SteamLibrary\"\n\t}\n}\n",
         {"C:\\Program Files (x86)\\Steam", "D:\\SteamLibrary"}},
        {"old form, with its statistics keys",
         "\"LibraryFolders\"\r\n{\r\n\t\"TimeNextStatsReport\"\t\t\"1580000000\"\r\n"
         "\t\"1\"\t\t\"D:\\\\SteamLibrary\"\r\n\t\"2\"\t\t\"/mnt/games\"\r\n}\r\n",
         {"D:\\SteamLibrary", "/mnt/games"}},
        {"escapes; an unknown one kept as written",
         "\"LIBRARYFOLDERS\" { \"1\" \"D:\\\\My \\\"Games\\\"\\tx\" \"0\" { \"Path\" \"D:\\Games\" } }",
         {"D:\\My \"Games\"\tx", "D:\\Games"}},
        {"a byte order mark before it",
         "\xEF\xBB\xBF\"libraryfolders\"\r\n{\r\n\t\"1\"\r\n\t{\r\n\t\t\"path\"\t\t\"E:\\\\Игры\"\r\n\t}\r\n}\r\n",
         {"E:\\Игры"}},
        {"comments and words without quotes",
         "// by hand\nlibraryfolders // list\n{\n 1 \"D:\\\\A\" // one\n}",
         {"D:\\A"}},
        {"empty paths, other keys and deeper paths left out",
         "\"libraryfolders\" { \"1\" \"\" \"path\" \"X\" \"0\" { \"apps\" { \"path\" \"Y\" } \"path\" \"D:\\\\A\" "
         "} "
         "\"extra\" { \"path\" \"Z\" } } \"config\" { \"1\" \"W\" }",
         {"D:\\A"}},
        {"a path of 10,000 characters", "\"libraryfolders\" { \"1\" \"" + longPath + "\" }", {longPath}},
        {"a zero byte in a path", std::string(zeroInPath, sizeof zeroInPath - 1), {std::string("D:\\\0A", 5)}},
        {"deep nesting, closed",
         "\"libraryfolders\" { \"1\" \"A\" " + Repeated("\"0\" { ", 1 << 18) + std::string(1 << 18, '}') + " }",
         {"A"}},
        {"no closing brace", "\"libraryfolders\" { \"0\" { \"path\" \"D:\\\\A\" }", {}},
        {"a quote left open", "\"libraryfolders\" { \"1\" \"D:\\\\A\\\" }", {}},
        {"a stray closing brace", "\"libraryfolders\" { \"1\" \"D:\\\\A\" } }", {}},
        {"a key without a value", "\"libraryfolders\" { \"1\" }", {}},
        {"a brace where a key belongs", "\"libraryfolders\" { { \"1\" \"D:\\\\A\" } }", {}},
        {"a loop of quotes", std::string(kHuge, '"'), {}},
        {"a loop of quotes, one more", std::string(kHuge + 1, '"'), {}},
        {"deep nesting, never closed", Repeated("\"a\" { ", 1 << 18), {}},
        {"backslashes to the end", "\"libraryfolders\" { \"1\" \"" + std::string(kHuge, '\\'), {}},
        {"one long word", std::string(kHuge, 'w'), {}},
        {"one long comment", "//" + std::string(kHuge, '/'), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, LibraryFolders(c.text)) << c.what;
}

}  // namespace
