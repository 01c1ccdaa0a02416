// The mod directory setting: the process-wide value, its registry form and the
// existence test that guards every rebuild of the mod lists.
#pragma once

#include <windows.h>

extern const char kDefaultModDirectory[];
extern const char kSettingsKey[];  // under HKEY_CURRENT_USER
extern const char kSettingsValue[];

// The current mod directory, zero-terminated, normally without a trailing
// backslash (a drive root keeps it).
extern char ModDirectory[MAX_PATH];

// True when the platform can read the attributes of `path`.
bool DirectoryExists(const char* path);

// "Specified directory does not exist.", owned by the main window.
void ShowDirectoryError();

// Replaces ModDirectory with the stored value when that names an existing path.
void LoadSettings();

// Stores ModDirectory; a failed write leaves the old value in the registry.
void SaveSettings();

// Copies `path` into ModDirectory when it fits; false (and no change) otherwise.
bool SetModDirectory(const char* path);
