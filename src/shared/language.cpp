#include "shared/language.h"

#include <vector>

#include "shared/language_rules.h"
#include "shared/text_conversion.h"

namespace {

LANGID chosen = 0;

// The resource types, named for the wide calls.
const LPCWSTR kStringTable = MAKEINTRESOURCEW(6), kDialog = MAKEINTRESOURCEW(5), kMenu = MAKEINTRESOURCEW(4);

std::vector<std::string> PreferredLanguages()
{
    ULONG count = 0, length = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, NULL, &length) || length == 0)
        return {};
    std::wstring names(length, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, &names[0], &length))
        return {};
    std::vector<std::string> preferred;
    for (size_t start = 0; start < names.size() && names[start];) {
        size_t end = names.find(L'\0', start);
        preferred.push_back(FromWide(names.substr(start, end - start), CP_UTF8));
        start = end + 1;
    }
    return preferred;
}

// The resource of that type and id in the language, else in English.
const void* FindInLanguage(LPCWSTR type, LPCWSTR name, LANGID language)
{
    HMODULE module = GetModuleHandleW(NULL);
    HRSRC found = FindResourceExW(module, type, name, language);
    if (!found && language != kEnglish)
        found = FindResourceExW(module, type, name, kEnglish);
    if (!found)
        return NULL;
    HGLOBAL loaded = LoadResource(module, found);
    return loaded ? LockResource(loaded) : NULL;
}

// String `id` of its table's block of sixteen (length-counted UTF-16 strings),
// or "" when the language has no such block.
std::wstring StringOfBlock(UINT id, LANGID language)
{
    HMODULE module = GetModuleHandleW(NULL);
    LPCWSTR block = MAKEINTRESOURCEW(id / 16 + 1);
    HRSRC found = FindResourceExW(module, kStringTable, block, language);
    if (!found)
        return std::wstring();
    HGLOBAL loaded = LoadResource(module, found);
    const WCHAR* text = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : NULL;
    if (!text)
        return std::wstring();
    const WCHAR* end = text + SizeofResource(module, found) / sizeof(WCHAR);
    for (UINT i = 0; i < id % 16 && text < end; ++i)
        text += 1 + *text;
    if (text >= end || text + 1 + *text > end)
        return std::wstring();
    return std::wstring(text + 1, *text);
}

}  // namespace

LANGID CurrentLanguage()
{
    if (!chosen)
        chosen = ChooseLanguage(PreferredLanguages());
    return chosen;
}

void UseLanguage(LANGID language)
{
    chosen = language;
}

std::wstring ResourceText(UINT id)
{
    std::wstring text = StringOfBlock(id, CurrentLanguage());
    if (text.empty() && CurrentLanguage() != kEnglish)
        text = StringOfBlock(id, kEnglish);
    return text;
}

INT_PTR ShowDialogInLanguage(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter)
{
    const void* found = FindInLanguage(kDialog, MAKEINTRESOURCEW(id), CurrentLanguage());
    if (!found)
        return -1;
    return DialogBoxIndirectParamA(GetModuleHandleW(NULL), static_cast<LPCDLGTEMPLATEA>(found), owner, procedure,
                                   parameter);
}

HMENU LoadMenuInLanguage(UINT id)
{
    const void* found = FindInLanguage(kMenu, MAKEINTRESOURCEW(id), CurrentLanguage());
    return found ? LoadMenuIndirectW(found) : NULL;
}
