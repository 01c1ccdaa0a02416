// A reader of the language resource files (res/lang/*.rc), enough to compare
// them: the texts of the string table by their symbols, and the entries of
// the dialogs and menus by their place. Pure code for the native tests.
#pragma once

#include <map>
#include <string>
#include <vector>

struct RcFile {
    bool read = false;
    std::string codePage;                        // the number of its code_page pragma
    std::map<std::string, std::string> strings;  // symbol -> text as written (escapes kept)
    // "IDD_MOD_SETS CAPTION", "IDD_MOD_SETS 3 IDC_SET_SWITCH", "IDR_LIST_MENU 5 IDM_MOD_SETS" -> text
    std::map<std::string, std::string> templates;
};

RcFile ReadRcFile(const std::string& path);

// The placeholders of a text ("%1", "%2"), sorted, each as often as it stands.
std::vector<std::string> PlaceholdersOf(const std::string& text);

// The plural forms of a text, split at "|".
std::vector<std::string> FormsOf(const std::string& text);
