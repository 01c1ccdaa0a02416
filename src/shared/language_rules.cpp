#include "shared/language_rules.h"

#include <algorithm>

#include "shared/path_text.h"

namespace {

// The plural rules of the languages, for whole numbers.
enum class Rule {
    OneOther,      // one: 1
    OneManyOther,  // one: 1; many: a non-zero multiple of a million
    FrenchLike,    // one: 0 and 1; many: a non-zero multiple of a million
    EastSlavic,    // one: 1, 21, 31...; few: 2-4, 22-24...; many: the rest
    Polish,        // one: 1; few: 2-4, 22-24...; many: the rest
    Czech,         // one: 1; few: 2-4; other: the rest
    Other,         // one form
};

struct Entry {
    LanguageInfo info;
    Rule rule;
};

const Entry kLanguages[] = {
    {{"en", kEnglish, "one|other"}, Rule::OneOther},
    {{"ru", 0x0419, "one|few|many"}, Rule::EastSlavic},
    {{"uk", 0x0422, "one|few|many"}, Rule::EastSlavic},
    {{"pl", 0x0415, "one|few|many"}, Rule::Polish},
    {{"cs", 0x0405, "one|few|other"}, Rule::Czech},
    {{"de", 0x0407, "one|other"}, Rule::OneOther},
    {{"fr", 0x040C, "one|many|other"}, Rule::FrenchLike},
    {{"es", 0x0C0A, "one|many|other"}, Rule::OneManyOther},
    {{"it", 0x0410, "one|many|other"}, Rule::OneManyOther},
    {{"hu", 0x040E, "one|other"}, Rule::OneOther},
    {{"zh-Hans", 0x0804, "other"}, Rule::Other},
};

const Entry* EntryFor(uint16_t id)
{
    for (const Entry& entry : kLanguages)
        if (entry.info.id == id)
            return &entry;
    return nullptr;
}

// The parts of a language name: "zh-Hans-CN" -> zh, hans, cn.
std::vector<std::string> Subtags(const std::string& name)
{
    std::vector<std::string> parts(1);
    for (char c : AsciiLower(name)) {
        if (c == '-' || c == '_')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// Chinese in its simplified script: named so, or by a region that writes it.
bool IsSimplifiedChinese(const std::vector<std::string>& subtags)
{
    if (subtags.size() == 1)
        return true;  // "zh" alone: the simplified script is its default
    const std::string& next = subtags[1];
    return next == "hans" || next == "cn" || next == "sg";
}

bool IsMillions(uint64_t count)
{
    return count != 0 && count % 1000000 == 0;
}

}  // namespace

const std::vector<LanguageInfo>& Languages()
{
    static const std::vector<LanguageInfo> languages = [] {
        std::vector<LanguageInfo> infos;
        for (const Entry& entry : kLanguages)
            infos.push_back(entry.info);
        return infos;
    }();
    return languages;
}

uint16_t ChooseLanguage(const std::vector<std::string>& preferred)
{
    for (const std::string& name : preferred) {
        std::vector<std::string> subtags = Subtags(name);
        for (const Entry& entry : kLanguages) {
            std::vector<std::string> own = Subtags(entry.info.tag);
            if (own[0] != subtags[0])
                continue;
            if (own[0] == "zh" && !IsSimplifiedChinese(subtags))
                continue;
            return entry.info.id;
        }
    }
    return kEnglish;
}

size_t PluralFormCount(uint16_t language)
{
    const Entry* entry = EntryFor(language);
    std::string categories = entry ? entry->info.categories : "one|other";
    return static_cast<size_t>(std::count(categories.begin(), categories.end(), '|')) + 1;
}

size_t PluralFormIndex(uint16_t language, uint64_t count)
{
    const Entry* entry = EntryFor(language);
    Rule rule = entry ? entry->rule : Rule::OneOther;
    uint64_t ones = count % 10, tens = count % 100;
    bool fewEnding = ones >= 2 && ones <= 4 && !(tens >= 12 && tens <= 14);
    switch (rule) {
    case Rule::OneOther: return count == 1 ? 0 : 1;
    case Rule::OneManyOther: return count == 1 ? 0 : IsMillions(count) ? 1 : 2;
    case Rule::FrenchLike: return count <= 1 ? 0 : IsMillions(count) ? 1 : 2;
    case Rule::EastSlavic: return ones == 1 && tens != 11 ? 0 : fewEnding ? 1 : 2;
    case Rule::Polish: return count == 1 ? 0 : fewEnding ? 1 : 2;
    case Rule::Czech: return count == 1 ? 0 : count >= 2 && count <= 4 ? 1 : 2;
    case Rule::Other: return 0;
    }
    return 0;
}

std::string PluralForm(const std::string& forms, size_t index)
{
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) {
        size_t bar = forms.find('|', start);
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return forms.substr(start, forms.find('|', start) - start);
}
