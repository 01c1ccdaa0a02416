// The languages the tool speaks, which of them a player's list of preferred
// languages picks, and the plural forms of each. Pure code with no platform
// headers: languages are Windows language ids (LANGID) as plain numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// English (United States): the language every text has, and the one a text
// missing in another language is shown in.
const uint16_t kEnglish = 0x0409;
// The pseudo-language of the tests (qps-ploc): English made unmistakable.
const uint16_t kPseudoLanguage = 0x0501;

struct LanguageInfo {
    const char* tag;         // "ru", "zh-Hans": also the name of its resource file
    uint16_t id;             // the LANGUAGE of its resources
    const char* categories;  // its plural categories in order, "one|few|many"
};

// Every language of the tool, English first.
const std::vector<LanguageInfo>& Languages();

// The first of the preferred languages ("ru-RU", "zh-CN", "de", as Windows
// names them) that the tool has, by its primary language; Chinese only in its
// simplified script (zh-Hans, zh-CN, zh-SG). English when none is.
uint16_t ChooseLanguage(const std::vector<std::string>& preferred);

// How many plural forms a text with a count has in the language, and which of
// them a count takes (CLDR's rules for whole numbers).
size_t PluralFormCount(uint16_t language);
size_t PluralFormIndex(uint16_t language, uint64_t count);

// Form `index` of a text whose forms are separated by "|"; the last form when
// it has fewer, the text itself when it has one.
std::string PluralForm(const std::string& forms, size_t index);
