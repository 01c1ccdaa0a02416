#include "shared/locale_format.h"

#include <windows.h>
#include <shlwapi.h>

#include "shared/text_conversion.h"

namespace {

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback)
{
    wchar_t text[16];
    return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 16) > 0 ? text : fallback;
}

// "3;2;0" -> 32, as NUMBERFMTW's Grouping wants it.
UINT Grouping(const std::wstring& groups)
{
    UINT grouping = 0;
    for (wchar_t c : groups)
        if (c >= L'1' && c <= L'9')
            grouping = grouping * 10 + static_cast<UINT>(c - L'0');
    return grouping;
}

}  // namespace

std::string FormatCount(uint64_t count)
{
    std::wstring digits = std::to_wstring(count);
    std::wstring decimal = LocaleText(LOCALE_SDECIMAL, L"."), thousand = LocaleText(LOCALE_STHOUSAND, L",");
    NUMBERFMTW format = {0, 0, Grouping(LocaleText(LOCALE_SGROUPING, L"3;0")), &decimal[0], &thousand[0], 1};
    wchar_t text[64];
    // Wine gives an empty text for a zero.
    if (GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format, text, 64) <= 0 || !text[0])
        return std::to_string(count);
    return FromWide(text, CP_ACP);
}

std::string FormatSize(uint64_t bytes)
{
    wchar_t text[64];
    // StrFormatByteSizeW rather than its Ex form, which Wine (the tool's platform
    // on Linux) does not implement: a call to it ends the program there.
    if (!StrFormatByteSizeW(static_cast<LONGLONG>(bytes), text, 64))
        return std::to_string(bytes);
    return FromWide(text, CP_ACP);
}

std::string FormatDate(int year, int month, int day)
{
    SYSTEMTIME date = {};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    FILETIME check;
    if (year < 1601 || year > 30827 || !SystemTimeToFileTime(&date, &check))
        return std::string();
    wchar_t text[80];
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &date, NULL, text, 80, NULL) <= 0)
        return std::string();
    return FromWide(text, CP_ACP);
}
