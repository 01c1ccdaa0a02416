// The language the tool speaks in this run, and its texts, dialogs and menus
// from the resources (made from res/lang/*.rc and res/layouts.rc.in), each
// found in that language by its id and taken from English where that
// language lacks it.
#pragma once

#include <windows.h>

#include <string>

// Chosen at the first use from the player's preferred UI languages, as
// Windows lists them; nothing is stored.
LANGID CurrentLanguage();
// Another language from now on (the tests switch between them).
void UseLanguage(LANGID language);

// The text of the string table in the current language.
std::wstring ResourceText(UINT id);

// The dialog template in the current language, shown modally.
INT_PTR ShowDialogInLanguage(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter);
// The menu in the current language; the caller destroys it.
HMENU LoadMenuInLanguage(UINT id);
