#include "shared/text_conversion.h"

std::wstring ToWide(const std::string& text, UINT codePage)
{
    int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(codePage, 0, text.data(), size, NULL, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string FromWide(const std::wstring& text, UINT codePage)
{
    int size = static_cast<int>(text.size());
    int length = WideCharToMultiByte(codePage, 0, text.data(), size, NULL, 0, NULL, NULL);
    std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, 0, text.data(), size, &narrow[0], length, NULL, NULL);
    return narrow;
}

std::string ToUtf8(const std::string& text)
{
    return GetACP() == CP_UTF8 ? text : FromWide(ToWide(text, CP_ACP), CP_UTF8);
}

std::string FromUtf8(const std::string& utf8)
{
    return GetACP() == CP_UTF8 ? utf8 : FromWide(ToWide(utf8, CP_UTF8), CP_ACP);
}

std::string FoldedKey(std::string name)
{
    for (char& c : name) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return FromWide(FoldCase(name), CP_UTF8);  // the letters upper-cased so far are upper-case still
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

std::wstring FoldCase(const std::string& name)
{
    std::wstring folded = ToWide(name, CP_ACP);
    if (!folded.empty())
        CharUpperBuffW(&folded[0], static_cast<DWORD>(folded.size()));
    return folded;
}
