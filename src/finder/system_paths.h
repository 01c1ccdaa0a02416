// Paths that Steam, GOG, installers and the system keep in the registry and
// the environment, read through the wide API and given in the process's code
// page only when it holds them exactly: a look-alike path could be another folder.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// `text` in the process's code page, when it is not empty and comes back from
// there unchanged.
std::optional<std::string> ExactNarrow(const std::wstring& text, UINT codePage = CP_ACP);

// A path of a Steam library list, which Steam writes in UTF-8 whatever the
// system's code page, in `codePage` under the same conditions; nothing for
// bytes that are not UTF-8.
std::optional<std::string> LibraryListPath(const std::string& utf8, UINT codePage = CP_ACP);

// The string value `name` of `subkey` under `root`, seen in `view` (0,
// KEY_WOW64_32KEY or KEY_WOW64_64KEY). Nothing when the key or the value is
// missing, the value is not a string (REG_SZ, or REG_EXPAND_SZ, expanded), is
// longer than a path can be, or has no exact form in the code page.
std::optional<std::string> RegistryPath(HKEY root, const wchar_t* subkey, REGSAM view, const wchar_t* name);

// Calls visit(path) with the value `name` of each subkey of `key`, as
// RegistryPath reads it, in the registry's order, until visit returns true;
// true then. Subkeys without such a value are passed over.
bool AnySubkeyPath(HKEY root, const wchar_t* key, REGSAM view, const wchar_t* name,
                   const std::function<bool(const std::string&)>& visit);

// The environment variable `name`, under the same conditions.
std::optional<std::string> EnvironmentPath(const wchar_t* name);
