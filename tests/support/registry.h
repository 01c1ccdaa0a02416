// The program's registry value in the private prefix's HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The key with everything under it (the mod sets too).
void DeleteSettingsKey();
bool SettingsKeyExists();
// Writes a value of the settings key with exactly these bytes.
void StoreSettingsValue(const char* name, DWORD type, const std::string& bytes);
// The stored Directory value as its raw bytes, if there is one.
std::optional<std::string> StoredDirectory();

// Puts the stored Directory value back as it was (or removes the key, if there
// was none) when it goes out of scope.
class SettingsRestorer {
public:
    SettingsRestorer() : saved_(StoredDirectory()) {}
    ~SettingsRestorer();
    SettingsRestorer(const SettingsRestorer&) = delete;
    SettingsRestorer& operator=(const SettingsRestorer&) = delete;

private:
    std::optional<std::string> saved_;
};
