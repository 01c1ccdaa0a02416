#include "update_fixture.h"

#include <sstream>

#include "menus.h"
#include "shared/window_state.h"

const char kUpdateEntry[] = "&Update from File...", kRestoreEntry[] = "&Restore Previous Version";

Contents Files(const std::string& text)
{
    Contents files;
    std::istringstream entries(text);
    for (std::string entry; std::getline(entries, entry, '|');)
        files[entry.substr(0, entry.find('='))] = entry.substr(entry.find('=') + 1);
    return files;
}

std::shared_ptr<void> Hold(const std::string& path)
{
    return std::shared_ptr<void>(CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL),
                                 CloseHandle);
}

void UpdateTest::StartWith(const Contents& installed)
{
    CloseApp();
    EmptyFolder(mods.Path());
    EnabledMods.clear();
    DisabledMods.clear();
    dialogs.Forget();
    for (const auto& file : installed)
        mods.Write(file.first, file.second);
    StartAppIn(mods.Path());
}

std::vector<std::string> UpdateTest::ChooseInMenu(const std::string& mod, const std::string& entry)
{
    HWND list = RowOf(EnabledList, mod) >= 0 ? EnabledList : DisabledList;
    SelectRow(list, RowOf(list, mod));
    MenuChooser menu(entry.empty() ? std::vector<std::string>() : std::vector<std::string>{entry});
    OpenListMenu(list, -1);
    return menu.Entries();
}

void UpdateTest::UpdateFromFile(const std::string& mod, const std::string& path)
{
    dialogs.ChooseFile(path);
    ChooseInMenu(mod, kUpdateEntry);
}

void UpdateTest::DropAndUpdate(const std::vector<std::string>& paths)
{
    dialogs.AnswerQuestion(IDYES);
    DropFiles(paths);
}
