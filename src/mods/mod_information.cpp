#include "mods/mod_information.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "descriptions/description_text.h"
#include "mods/list_refresh.h"
#include "shared/text_conversion.h"

namespace {

const DWORD kReserveLimit = 256u << 20;

// The file's bytes, when it is a regular file on disk: a name that the system
// maps to a device (aux.txt, con.txt) would open the device, whose read may
// never end. A read that stops early gives the bytes read so far.
std::string ReadRegularFile(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size;
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size)) {
        // The whole file in one read into room made for it; then on in blocks,
        // should it have grown meanwhile (or be too large to make room for).
        size_t expected = size.QuadPart <= kReserveLimit ? static_cast<size_t>(size.QuadPart) : 0;
        bytes.resize(expected);
        DWORD got = 0;
        size_t filled = 0;
        while (filled < expected &&
               ReadFile(file, &bytes[filled], static_cast<DWORD>(expected - filled), &got, NULL) && got > 0)
            filled += got;
        bytes.resize(filled);
        char block[1 << 16];
        while (filled == expected && ReadFile(file, block, sizeof block, &got, NULL) && got > 0) {
            bytes.append(block, got);
            expected = filled = bytes.size();
        }
    }
    CloseHandle(file);
    return bytes;
}

// The code page that programs of the user's locale write text in (1252 in
// Western Europe, 1251 in Russia), whatever this process's own code page is.
UINT LegacyCodePage()
{
    DWORD codePage = 0;
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)))
        return CP_ACP;
    return codePage;
}

// Characters the target code page lacks become "?".
std::string Recode(std::string text, UINT from, UINT to)
{
    if (text.empty() || from == to)
        return text;
    return FromWide(ToWide(text, from), to);
}

// The decoded text in the process's code page.
std::string InProcessCodePage(DecodedDescription decoded)
{
    UINT from = decoded.encoding == DescriptionEncoding::Utf8 ? CP_UTF8 : LegacyCodePage();
    return Recode(std::move(decoded.text), from, GetACP());
}

}  // namespace

std::string ReadDescription(const std::string& infoPath)
{
    return InProcessCodePage(DecodeDescription(ReadRegularFile(infoPath)));
}

std::string ShownDescription(const std::string& infoPath)
{
    return InProcessCodePage(DescriptionForDisplay(ReadRegularFile(infoPath)));
}
