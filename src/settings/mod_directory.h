// The mod directory setting: its registry form, and how ModDirectory (in the
// window state) is replaced.
#pragma once

#include "shared/folder_listing.h"
#include "shared/window_state.h"

extern const char kSettingsKey[];  // under HKEY_CURRENT_USER
extern const char kSettingsValue[];

// Replaces ModDirectory with the stored value when that names an existing path;
// true when it did.
bool LoadSettings();

// Stores ModDirectory; a failed write leaves the old value in the registry.
void SaveSettings();

// Copies `path` into ModDirectory when it fits; false (and no change) otherwise.
bool SetModDirectory(const char* path);
