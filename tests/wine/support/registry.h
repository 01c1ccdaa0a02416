// The program's registry value in the private prefix's HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

void DeleteSettingsKey();
bool SettingsKeyExists();
// Writes a value of the settings key with exactly these bytes.
void StoreSettingsValue(const char* name, DWORD type, const std::string& bytes);
// The stored Directory value as its raw bytes, if there is one.
std::optional<std::string> StoredDirectory();
