#include "shared/window_state.h"

// Where the game's installer puts its data folder.
#define DEFAULT_MOD_DIRECTORY "C:\\Program Files\\Ubisoft\\Heroes of Might and Magic V\\data"

HINSTANCE AppInstance;
HWND MainWindow;

HWND DirectoryLabel, ChangeButton, DirectoryCaption;
HWND EnabledList, DisableButton, EnabledCaption;
HWND DisabledList, EnableButton, DisabledCaption;
HWND InformationBox, RescanButton, InformationCaption, StartButton, AddButton;

std::vector<ModEntry> EnabledMods;
std::vector<ModEntry> DisabledMods;

const char kDefaultModDirectory[] = DEFAULT_MOD_DIRECTORY;
char ModDirectory[MAX_PATH] = DEFAULT_MOD_DIRECTORY;
