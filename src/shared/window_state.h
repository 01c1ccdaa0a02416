// The state the whole program shares: the window handles, the two mod lists
// and the mod directory (the controls' ids are in res/resource.h). Every
// command reads and changes these; this header depends on nothing of the
// program but those ids.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "../res/resource.h"  // the controls' ids

extern HINSTANCE AppInstance;
// Set only after window creation returns, so a message box raised while the
// window is being created (the directory error of the first scan) has no
// owner, as it must: its owner would not exist yet.
extern HWND MainWindow;

// The fourteen controls, set once when the window is created and valid for
// the life of the window.
extern HWND DirectoryLabel, ChangeButton, DirectoryCaption;
extern HWND EnabledList, DisableButton, EnabledCaption;
extern HWND DisabledList, EnableButton, DisabledCaption;
extern HWND InformationBox, RescanButton, InformationCaption, StartButton, AddButton;

struct ModEntry {
    std::string path;      // full path of the archive
    std::string fileName;  // the archive's name as the folder listing gave it
    std::string infoPath;  // full path of its description, or empty
};

// Row i of a list box always shows the display name of entry i of its list.
extern std::vector<ModEntry> EnabledMods;   // .pak archives, "Enabled Mods"
extern std::vector<ModEntry> DisabledMods;  // .mod archives, "Disabled Mods"

extern const char kDefaultModDirectory[];
// The current mod directory, zero-terminated, normally without a trailing
// backslash (a drive root keeps it).
extern char ModDirectory[MAX_PATH];
