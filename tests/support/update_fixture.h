// The update tests' common ground: a mod folder and a download folder of the
// test's own, the Recycle Bin watched for what leaves the mod folder, files
// written and compared as "name=content" lists, and the lists' menu.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app_test.h"
#include "recycle_bin.h"

typedef std::map<std::string, std::string> Contents;

// "Mod.pak=v1|Mod.txt=about v1": the files and what each holds.
Contents Files(const std::string& text);

// The game running: a file held open without sharing, until the hold ends.
std::shared_ptr<void> Hold(const std::string& path);

extern const char kUpdateEntry[], kRestoreEntry[];

class UpdateTest : public AppTest {
protected:
    // A new start of the tool, with exactly these files in the mod folder.
    void StartWith(const Contents& installed);
    // The menu of the mod's row, from the keyboard, and one of its entries
    // (none: the menu is closed); the entries it offered.
    std::vector<std::string> ChooseInMenu(const std::string& mod, const std::string& entry);
    // Update from File... of the mod, with `path` chosen in the open-file dialog.
    void UpdateFromFile(const std::string& mod, const std::string& path);
    // Drops the files and answers the question about updating with Yes.
    void DropAndUpdate(const std::vector<std::string>& paths);

    TempFolder mods, download;
    RecycleBinWatch bin{mods.Path()};
};
