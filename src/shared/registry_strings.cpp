#include "shared/registry_strings.h"

#include "shared/text_conversion.h"

namespace {

// REG_MULTI_SZ: each string with its terminating zero, then one more.
std::wstring MultiString(const std::vector<std::string>& strings)
{
    std::wstring data;
    for (const std::string& text : strings)
        if (!text.empty())
            data += ToWide(text, CP_ACP) + L'\0';
    return data + L'\0';
}

std::vector<std::string> Strings(const std::wstring& data)
{
    std::vector<std::string> strings;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find(L'\0', start);
        if (end == std::wstring::npos)
            end = data.size();
        if (end == start)
            break;
        strings.push_back(FromWide(data.substr(start, end - start), CP_ACP));
        start = end + 1;
    }
    return strings;
}

}  // namespace

HKEY OpenUserKey(const char* path, bool create)
{
    HKEY key = NULL;
    std::wstring widePath = ToWide(path, CP_ACP);
    LONG result = create ? RegCreateKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, NULL, 0, KEY_READ | KEY_WRITE,
                                           NULL, &key, NULL)
                         : RegOpenKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, KEY_READ, &key);
    return result == ERROR_SUCCESS ? key : NULL;
}

bool WriteUserStrings(const char* keyPath, const std::wstring& valueName, const std::vector<std::string>& strings,
                      bool flush)
{
    HKEY key = OpenUserKey(keyPath, true);
    if (!key)
        return false;
    std::wstring data = MultiString(strings);
    LONG result =
        RegSetValueExW(key, valueName.c_str(), 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    if (result == ERROR_SUCCESS && flush)
        result = RegFlushKey(key);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::optional<std::vector<std::string>> ReadStrings(HKEY key, const std::wstring& valueName)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, valueName.c_str(), NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return std::nullopt;
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, valueName.c_str(), NULL, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size / sizeof(wchar_t));
    return Strings(data);
}

std::optional<std::vector<std::string>> ReadUserStrings(const char* keyPath, const std::wstring& valueName)
{
    HKEY key = OpenUserKey(keyPath, false);
    if (!key)
        return std::nullopt;
    std::optional<std::vector<std::string>> strings = ReadStrings(key, valueName);
    RegCloseKey(key);
    return strings;
}

bool RemoveUserValue(const char* keyPath, const std::wstring& valueName)
{
    HKEY key = NULL;
    LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(keyPath, CP_ACP).c_str(), 0, KEY_SET_VALUE, &key);
    if (result != ERROR_SUCCESS)
        return result == ERROR_FILE_NOT_FOUND;
    result = RegDeleteValueW(key, valueName.c_str());
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
