// The program's registry value in the private prefix's HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The key with everything under it (the mod sets too).
void DeleteSettingsKey();
bool SettingsKeyExists();
// Writes a value of the settings key with exactly these bytes.
void StoreSettingsValue(const char* name, DWORD type, const std::string& bytes);
// The stored Directory value as its raw bytes, if there is one.
std::optional<std::string> StoredDirectory();

// Stores these strings as the journal of a switch (the mod sets' key's
// unnamed value), as written, whatever they say.
void StoreSwitchJournal(const std::vector<std::string>& strings);

// The key under HKEY_CURRENT_USER, made if missing, that nobody may change
// while this lives (its access list grants reading only); then as before.
class ReadOnlyKey {
public:
    explicit ReadOnlyKey(const char* path);
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;
    bool Made() const { return made_; }

private:
    std::string path_;
    bool made_ = false;
};

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
