#include "finder/system_paths.h"

#include "shared/text_conversion.h"
#include "shared/utf8.h"

namespace {

// A string longer than this cannot name a folder that ModDirectory could hold.
const DWORD kLongestPath = MAX_PATH;

// The value `name` of `key`'s `subkey` (or of `key` itself, for NULL) when it
// is a string; REG_EXPAND_SZ comes expanded.
std::optional<std::string> StringValue(HKEY key, const wchar_t* subkey, const wchar_t* name)
{
    WCHAR data[kLongestPath + 1];
    DWORD size = sizeof data;
    if (RegGetValueW(key, subkey, name, RRF_RT_REG_SZ, NULL, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return ExactNarrow(data);
}

}  // namespace

std::optional<std::string> ExactNarrow(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::nullopt;
    std::string narrow = FromWide(text, codePage);
    if (ToWide(narrow, codePage) != text)
        return std::nullopt;
    return narrow;
}

std::optional<std::string> LibraryListPath(const std::string& utf8, UINT codePage)
{
    if (!IsValidUtf8(utf8.data(), utf8.size()))
        return std::nullopt;
    return ExactNarrow(ToWide(utf8, CP_UTF8), codePage);
}

std::optional<std::string> RegistryPath(HKEY root, const wchar_t* subkey, REGSAM view, const wchar_t* name)
{
    HKEY key;
    if (RegOpenKeyExW(root, subkey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> path = StringValue(key, NULL, name);
    RegCloseKey(key);
    return path;
}

bool AnySubkeyPath(HKEY root, const wchar_t* key, REGSAM view, const wchar_t* name,
                   const std::function<bool(const std::string&)>& visit)
{
    HKEY parent;
    if (RegOpenKeyExW(root, key, 0, KEY_ENUMERATE_SUB_KEYS | view, &parent) != ERROR_SUCCESS)
        return false;
    bool found = false;
    WCHAR subkey[256];  // the longest name a key may have, and its zero
    for (DWORD index = 0; !found; ++index) {
        DWORD length = sizeof subkey / sizeof subkey[0];
        LONG result = RegEnumKeyExW(parent, index, subkey, &length, NULL, NULL, NULL, NULL);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            break;
        std::optional<std::string> path = StringValue(parent, subkey, name);
        found = path && visit(*path);
    }
    RegCloseKey(parent);
    return found;
}

std::optional<std::string> EnvironmentPath(const wchar_t* name)
{
    WCHAR value[kLongestPath + 1];
    DWORD length = GetEnvironmentVariableW(name, value, kLongestPath + 1);
    if (length == 0 || length > kLongestPath)
        return std::nullopt;
    return ExactNarrow(value);
}
