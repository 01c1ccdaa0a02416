// The program's registry values in the private prefix's HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The key with everything under it (the mod sets too), and the journal and
// the search's record in the tool's application data.
void DeleteSettingsKey();
bool SettingsKeyExists();
// Writes a value of the settings key (or of the key at `keyPath` under
// HKEY_CURRENT_USER) with exactly these bytes.
void StoreSettingsValue(const char* name, DWORD type, const std::string& bytes);
void StoreUserValue(const char* keyPath, const char* name, DWORD type, const std::string& bytes);
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

// Writes a value of the mod sets' key as another program may name it (any
// UTF-16, a stray surrogate too): a REG_MULTI_SZ of these UTF-8 strings.
void StoreModSetValue(const std::wstring& name, const std::vector<std::string>& strings);
// The names of the mod sets' values as the registry holds them, sorted.
std::vector<std::wstring> ModSetValueNames();
