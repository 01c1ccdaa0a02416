#include "shared/locale_format.h"

#include <windows.h>

#include "shared/messages.h"
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

// A number given as digits with "." before its `decimals` last ones, as the
// locale writes it.
std::string FormatNumber(const std::string& digits, UINT decimals)
{
    std::wstring wide = ToWide(digits, CP_ACP);
    std::wstring decimal = LocaleText(LOCALE_SDECIMAL, L"."), thousand = LocaleText(LOCALE_STHOUSAND, L",");
    NUMBERFMTW format = {decimals,     1, Grouping(LocaleText(LOCALE_SGROUPING, L"3;0")), &decimal[0],
                         &thousand[0], 1};
    wchar_t text[64];
    // Wine gives an empty text for a zero.
    if (GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, wide.c_str(), &format, text, 64) <= 0 || !text[0])
        return digits;
    return FromWide(text, CP_ACP);
}

}  // namespace

std::string FormatCount(uint64_t count)
{
    return FormatNumber(std::to_string(count), 0);
}

std::string FormatSize(uint64_t bytes)
{
    const uint64_t kUnit = 1024;
    if (bytes < kUnit)
        return TextFor(Text::SizeBytes, {FormatCount(bytes)});
    // The units in the tool's language (the system's would follow the
    // regional format, or stay English under Wine); three digits of the
    // number, cut rather than rounded, as Explorer shows sizes.
    const Text units[] = {Text::SizeKilobytes, Text::SizeMegabytes, Text::SizeGigabytes, Text::SizeTerabytes};
    size_t unit = 0;
    uint64_t scale = kUnit;
    while (unit + 1 < sizeof units / sizeof units[0] && bytes / scale >= kUnit) {
        scale *= kUnit;
        ++unit;
    }
    uint64_t whole = bytes / scale, hundredths = bytes % scale * 100 / scale;
    UINT decimals = whole < 10 ? 2 : whole < 100 ? 1 : 0;
    std::string digits = std::to_string(whole);
    if (decimals == 2)
        digits += "." + std::to_string(hundredths / 10) + std::to_string(hundredths % 10);
    else if (decimals == 1)
        digits += "." + std::to_string(hundredths / 10);
    return TextFor(units[unit], {FormatNumber(digits, decimals)});
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
