#include "shared/folder_listing.h"

#include "shared/path_text.h"

namespace {

DWORD AttributesOf(const std::string& path)
{
    return GetFileAttributesW(ToWide(path, CP_ACP).c_str());
}

}  // namespace

bool PathExists(const std::string& path)
{
    return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path)
{
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path)
{
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool UnderWine()
{
    if (GetEnvironmentVariableW(L"WINEHOMEDIR", NULL, 0) > 0)
        return true;
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != NULL;
}

bool NameKeptWhole(const std::string& name)
{
    const size_t kLongestUnixName = 255;
    if (name.size() <= kLongestUnixName / 3)
        return true;  // no name this short takes more bytes in UTF-8
    static const bool underWine = UnderWine();
    size_t utf8Bytes = GetACP() == CP_UTF8 ? name.size() : FromWide(ToWide(name, CP_ACP), CP_UTF8).size();
    return !underWine || utf8Bytes <= kLongestUnixName;
}

bool IsOwnName(const std::string& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(ToWide(path, CP_ACP).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return FoldCase(FileNamePart(path)) == FoldCase(FromWide(found.cFileName, CP_ACP));
}

TemporarySpot WhatLiesAt(const std::string& temporary)
{
    DWORD attributes = AttributesOf(temporary);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return TemporarySpot::Free;
    if (!IsOwnName(temporary))
        return TemporarySpot::Taken;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return TemporarySpot::InTheWay;
    return TemporarySpot::Leftover;
}

namespace {

// The longest form of a name of the find data in any code page: UTF-8 takes
// at most three bytes for a UTF-16 unit.
const int kNameBytes = MAX_PATH * 3;

// `wide` in the code page, or false when it has no exact form there.
bool ExactNarrow(const WCHAR* wide, UINT codePage, std::string& narrow)
{
    char buffer[kNameBytes + 1];
    BOOL usedDefault = FALSE;
    // UTF-8 holds every character; only a stray surrogate has no form there.
    DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL* defaultUsed = codePage == CP_UTF8 ? NULL : &usedDefault;
    int written = WideCharToMultiByte(codePage, flags, wide, -1, buffer, sizeof buffer, NULL, defaultUsed);
    if (written <= 0 || usedDefault)
        return false;
    narrow.assign(buffer, static_cast<size_t>(written - 1));
    return true;
}

}  // namespace

bool ExactEntry(const WIN32_FIND_DATAW& wide, UINT codePage, FolderEntry& entry)
{
    entry.attributes = wide.dwFileAttributes;
    entry.size = static_cast<uint64_t>(wide.nFileSizeHigh) << 32 | wide.nFileSizeLow;
    if (!ExactNarrow(wide.cFileName, codePage, entry.name))
        return false;
    if (!ExactNarrow(wide.cAlternateFileName, codePage, entry.shortName))
        entry.shortName.clear();
    return true;
}
