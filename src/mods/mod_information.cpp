#include "mods/mod_information.h"

#include <windows.h>

#include <algorithm>

#include "mods/line_breaks.h"
#include "mods/text_encoding.h"

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
        // Room for the whole file at once: growing block by block would copy a
        // large description many times over.
        if (size.QuadPart <= kReserveLimit)
            bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t filled = 0;
        DWORD got = 0;
        for (;;) {
            if (filled == bytes.size())
                bytes.resize(filled + (1 << 16));
            DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - filled, 1u << 30));
            if (!ReadFile(file, &bytes[filled], wanted, &got, NULL) || got == 0)
                break;
            filled += got;
        }
        bytes.resize(filled);
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
std::string Recode(const std::string& text, UINT from, UINT to)
{
    if (text.empty() || from == to)
        return text;
    int length = static_cast<int>(text.size());
    int wideLength = MultiByteToWideChar(from, 0, text.data(), length, NULL, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), length, &wide[0], wideLength);
    int outLength = WideCharToMultiByte(to, 0, wide.data(), wideLength, NULL, 0, NULL, NULL);
    std::string out(static_cast<size_t>(outLength), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, &out[0], outLength, NULL, NULL);
    return out;
}

}  // namespace

std::string ReadDescription(const std::string& infoPath)
{
    DecodedDescription decoded = DecodeDescription(ReadRegularFile(infoPath));
    UINT from = decoded.encoding == DescriptionEncoding::Utf8 ? CP_UTF8 : LegacyCodePage();
    UINT processCodePage = GetACP();
    return Recode(decoded.text, from, processCodePage == CP_UTF8 ? CP_UTF8 : processCodePage);
}

static ModSide OtherSide(const ModSide& side)
{
    return side.listBox == EnabledList ? DisabledSide() : EnabledSide();
}

void ShowModInformation(const ModSide& side)
{
    if (SendMessageA(side.listBox, LB_GETCURSEL, 0, 0) == LB_ERR)
        return;
    ModSide other = OtherSide(side);
    EnableWindow(side.button, TRUE);
    SendMessageA(other.listBox, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EnableWindow(other.button, FALSE);

    int row = SelectedRow(side);
    std::string text;
    if (row >= 0 && !side.mods[row].infoPath.empty())
        text = ToCrLf(ReadDescription(side.mods[row].infoPath));
    SetWindowTextA(InformationBox, text.c_str());
}
