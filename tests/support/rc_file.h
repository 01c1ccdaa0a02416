// Readers of the resource sources, enough to compare the languages: a
// language's file (res/lang/*.rc: its string table, and the texts and sizes
// of its LAYOUT_TEXTS) and the layouts of the dialogs and menus
// (res/layouts.rc.in). Pure code for the native tests.
#pragma once

#include <map>
#include <string>
#include <vector>

struct RcFile {
    bool read = false;
    std::string codePage;                            // the number of its code_page pragma
    std::map<std::string, std::string> strings;      // symbol -> text as written (escapes kept)
    std::map<std::string, std::string> layoutTexts;  // name -> text as written
    std::map<std::string, std::string> sizes;        // name -> its number
};

RcFile ReadRcFile(const std::string& path);

// The names of the texts (@NAME) that each dialog and each level of a menu
// shows, in order: "IDD_MOD_SETS" (its caption too), and "IDR_LIST_MENU
// LIST_MENU_MODS" for the entries of that popup. Empty when the file cannot
// be read.
std::map<std::string, std::vector<std::string>> ReadLayouts(const std::string& path);

// The placeholders of a text ("%1", "%2"), sorted, each as often as it stands.
std::vector<std::string> PlaceholdersOf(const std::string& text);

// The plural forms of a text, split at "|".
std::vector<std::string> FormsOf(const std::string& text);

// The letter after "&" in a text as written ("&&" shows an "&"), in lower
// case, UTF-8; "" when none is marked.
std::string AltLetterOf(const std::string& text);
