// The languages' resource files against the English one, the plural rule of
// each language, and which language a player's preferences pick.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "rc_file.h"
#include "shared/language_rules.h"

namespace {

RcFile LanguageFile(const std::string& tag)
{
    return ReadRcFile(std::string(QMM_SOURCE_DIR) + "/res/lang/" + tag + ".rc");
}

// The count's placeholder in the texts with plural forms: the form that the
// number 1 alone takes may say it in words ("e un'altra"), no other form may.
const std::map<std::string, std::string> kCountPlaceholders = {
    {"IDS_SET_MODS_MISSING", "%1"},
    {"IDS_NAMES_AND_MORE", "%2"},
    {"IDS_LINES_AND_MORE", "%1"},
    {"IDS_PREVIEW_OTHER_VERSION", "%2"},
};

bool OnlyOneTakes(uint16_t language, size_t form)
{
    for (uint64_t count = 0; count <= 1000; ++count)
        if (count != 1 && PluralFormIndex(language, count) == form)
            return false;
    return PluralFormIndex(language, 1) == form && PluralFormIndex(language, 1000000) != form;
}

// The placeholders that form `form` of a text must hold.
std::vector<std::string> PlaceholdersNeeded(const std::string& symbol, const std::string& english,
                                            const std::string& own, uint16_t language, size_t form)
{
    std::vector<std::string> needed = PlaceholdersOf(english);
    auto count = kCountPlaceholders.find(symbol);
    if (count != kCountPlaceholders.end() && OnlyOneTakes(language, form) &&
        own.find(count->second) == std::string::npos) {
        auto at = std::find(needed.begin(), needed.end(), count->second);
        if (at != needed.end())
            needed.erase(at);
    }
    return needed;
}

TEST(LanguageFiles, EveryLanguageHasEveryTextWithItsPlaceholdersAndPluralForms)
{
    RcFile english = LanguageFile("en");
    ASSERT_TRUE(english.read);
    ASSERT_GT(english.strings.size(), 50u) << "the English string table was not read";
    for (const LanguageInfo& language : Languages()) {
        SCOPED_TRACE(language.tag);
        RcFile file = LanguageFile(language.tag);
        ASSERT_TRUE(file.read) << "expected res/lang/" << language.tag << ".rc";
        EXPECT_EQ("65001", file.codePage) << "the file is read as UTF-8 only with its code_page";
        size_t forms = PluralFormCount(language.id);
        for (const auto& [symbol, englishText] : english.strings) {
            auto found = file.strings.find(symbol);
            if (found == file.strings.end()) {
                ADD_FAILURE() << "expected a text for " << symbol;
                continue;
            }
            std::vector<std::string> englishForms = FormsOf(englishText), own = FormsOf(found->second);
            EXPECT_EQ(englishForms.size() > 1 ? forms : 1, own.size())
                << symbol << " has " << own.size() << " forms: " << found->second;
            for (size_t i = 0; i < own.size(); ++i)
                EXPECT_EQ(PlaceholdersNeeded(symbol, englishForms[0], own[i], language.id, i),
                          PlaceholdersOf(own[i]))
                    << symbol << ": " << own[i];
        }
        for (const auto& entry : file.strings)
            EXPECT_TRUE(english.strings.count(entry.first)) << "a text English does not have: " << entry.first;
        std::vector<std::string> englishEntries, ownEntries;
        for (const auto& entry : english.templates)
            englishEntries.push_back(entry.first);
        for (const auto& entry : file.templates)
            ownEntries.push_back(entry.first);
        EXPECT_EQ(englishEntries, ownEntries) << "the dialogs and the menu have other entries than in English";
    }
}

TEST(PluralRules, EachLanguageTakesTheFormOfItsCategoryForEachCount)
{
    // Each ending that a rule tells apart: 2, 3 and 4 alike (22, 24, 34, 104),
    // the teens (11, 12, 14, 111) apart from them, and the ones (21, 101).
    const uint64_t kCounts[] = {0, 1, 2, 3, 4, 5, 11, 12, 14, 21, 22, 24, 25, 34, 101, 104, 111, 1000000};
    const size_t kCountCount = sizeof kCounts / sizeof kCounts[0];
    // The category of each count, in that order: o(ne), f(ew), m(any), x (other).
    const struct {
        const char* tag;
        const char* categories;
    } kCases[] = {
        {"en", "xoxxxxxxxxxxxxxxxx"}, {"de", "xoxxxxxxxxxxxxxxxx"},      {"hu", "xoxxxxxxxxxxxxxxxx"},
        {"ru", "mofffmmmmoffmfofmm"}, {"uk", "mofffmmmmoffmfofmm"},      {"pl", "mofffmmmmmffmfmfmm"},
        {"cs", "xofffxxxxxxxxxxxxx"}, {"fr", "ooxxxxxxxxxxxxxxxm"},      {"es", "xoxxxxxxxxxxxxxxxm"},
        {"it", "xoxxxxxxxxxxxxxxxm"}, {"zh-Hans", "xxxxxxxxxxxxxxxxxx"},
    };
    for (const auto& c : kCases) {
        const LanguageInfo* language = nullptr;
        for (const LanguageInfo& known : Languages())
            if (std::string(known.tag) == c.tag)
                language = &known;
        ASSERT_NE(nullptr, language) << c.tag;
        std::vector<std::string> names = FormsOf(language->categories);
        ASSERT_EQ(names.size(), PluralFormCount(language->id)) << c.tag;
        ASSERT_EQ(kCountCount, std::string(c.categories).size()) << c.tag << ": one category per count";
        for (size_t i = 0; i < kCountCount; ++i) {
            std::string got = names[PluralFormIndex(language->id, kCounts[i])];
            EXPECT_EQ(c.categories[i], got == "other" ? 'x' : got[0])
                << c.tag << ", " << kCounts[i] << ": got " << got;
        }
    }
    EXPECT_EQ("b", PluralForm("a|b|c", 1));
    EXPECT_EQ("b", PluralForm("a|b", 2)) << "a text with fewer forms gives its last";
    EXPECT_EQ("a", PluralForm("a", 1));
}

TEST(ChooseLanguage, TakesTheFirstPreferredLanguageTheToolHas)
{
    const struct {
        std::vector<std::string> preferred;
        uint16_t chosen;
    } kCases[] = {
        {{"ru-RU"}, 0x0419},
        {{"pt-BR", "uk-UA", "ru-RU"}, 0x0422},
        {{"de-CH"}, 0x0407},
        {{"es-MX"}, 0x0C0A},
        {{"fr_CA"}, 0x040C},
        {{"zh-Hans-CN"}, 0x0804},
        {{"zh-CN"}, 0x0804},
        {{"zh-SG"}, 0x0804},
        {{"zh-TW", "zh-Hant", "zh-HK", "ja-JP"}, kEnglish},
        {{"zh-Hant-TW", "pl-PL"}, 0x0415},
        {{"EN-gb", "ru-RU"}, kEnglish},
        {{"cs", "hu-HU"}, 0x0405},
        {{}, kEnglish},
        {{""}, kEnglish},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.chosen, ChooseLanguage(c.preferred)) << ::testing::PrintToString(c.preferred);
}

}  // namespace
