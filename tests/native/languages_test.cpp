// The languages' resource files against the English one, the plural rule of
// each language, and which language a player's preferences pick.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

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
    ASSERT_GT(english.layoutTexts.size(), 30u) << "the English LAYOUT_TEXTS were not read";
    for (const LanguageInfo& language : Languages()) {
        SCOPED_TRACE(language.tag);
        RcFile file = LanguageFile(language.tag);
        ASSERT_TRUE(file.read) << "expected res/lang/" << language.tag << ".rc";
        EXPECT_EQ("65001", file.codePage) << "the file is read as UTF-8 only with its code_page";
        size_t forms = PluralFormCount(language.id);
        // The string table's texts, then those of the dialogs and the menu.
        for (auto texts : {&RcFile::strings, &RcFile::layoutTexts}) {
            for (const auto& [symbol, englishText] : english.*texts) {
                auto found = (file.*texts).find(symbol);
                if (found == (file.*texts).end()) {
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
            for (const auto& entry : file.*texts)
                EXPECT_TRUE((english.*texts).count(entry.first))
                    << "a text English does not have: " << entry.first;
        }
        for (const auto& entry : file.sizes)
            EXPECT_TRUE(english.sizes.count(entry.first)) << "a size English does not have: " << entry.first;
    }
}

// The layouts show every text of English's LAYOUT_TEXTS and no other; in
// every language, no two entries of a dialog or of a menu's level share the
// letter that Alt opens them with.
TEST(LanguageFiles, EachDialogAndMenuShowsItsTextsWithAnAltLetterOfTheirOwn)
{
    // A letter is the same in either case, in each script of the languages.
    const std::pair<const char*, const char*> kLetters[] = {
        {"&Save", "s"}, {"Save && Go &On", "o"}, {"&Переключить", "п"}, {"в&ыключенным", "ы"},
        {"&Łódź", "ł"}, {"Zam&knij", "k"},       {"保存(&S)", "s"},     {"Close", ""},
    };
    for (const auto& [text, letter] : kLetters)
        EXPECT_EQ(letter, AltLetterOf(text)) << text;

    std::map<std::string, std::vector<std::string>> layouts =
        ReadLayouts(std::string(QMM_SOURCE_DIR) + "/res/layouts.rc.in");
    ASSERT_GE(layouts.size(), 4u) << "expected the three dialogs and the menu in res/layouts.rc.in";
    RcFile english = LanguageFile("en");
    std::set<std::string> shown;
    for (const auto& entry : layouts)
        shown.insert(entry.second.begin(), entry.second.end());
    for (const auto& entry : english.layoutTexts)
        EXPECT_TRUE(shown.count(entry.first)) << "no layout shows " << entry.first;
    for (const std::string& name : shown)
        EXPECT_TRUE(english.layoutTexts.count(name)) << "English has no text " << name;

    for (const LanguageInfo& language : Languages()) {
        RcFile file = LanguageFile(language.tag);
        for (const auto& [where, names] : layouts) {
            std::map<std::string, std::string> taken;
            for (const std::string& name : names) {
                auto own = file.layoutTexts.find(name);
                std::string text = own != file.layoutTexts.end() ? own->second : english.layoutTexts[name];
                std::string letter = AltLetterOf(text);
                if (!letter.empty() && !taken.emplace(letter, text).second)
                    ADD_FAILURE() << language.tag << ", " << where << ": " << text << " takes the letter of "
                                  << taken[letter];
            }
        }
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
