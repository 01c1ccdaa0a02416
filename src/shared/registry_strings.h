// Lists of strings in REG_MULTI_SZ values under HKEY_CURRENT_USER, each list
// written by one call so that it is never half written. Written and read
// through the wide API, so that names read back exactly in every script.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The key at `path` under HKEY_CURRENT_USER, made when asked to; NULL when it
// cannot be opened. The caller closes it.
HKEY OpenUserKey(const char* path, bool create);

// Writes the value, replacing one of that name; with `flush`, on disk before
// it returns (a plan that must survive a power cut). An empty string cannot
// be held: it is left out. False when the registry refused.
bool WriteUserStrings(const char* keyPath, const std::wstring& valueName, const std::vector<std::string>& strings,
                      bool flush);

// The value's strings, when it is there and of its type.
std::optional<std::vector<std::string>> ReadStrings(HKEY key, const std::wstring& valueName);
std::optional<std::vector<std::string>> ReadUserStrings(const char* keyPath, const std::wstring& valueName);

// True when the value is gone afterwards (also when there was none).
bool RemoveUserValue(const char* keyPath, const std::wstring& valueName);
