#include "mods/mod_lists.h"

#include "mods/mod_names.h"

ModSide EnabledSide()
{
    return {EnabledMods, EnabledList, DisableButton};
}

ModSide DisabledSide()
{
    return {DisabledMods, DisabledList, EnableButton};
}

static void AddMod(const ModSide& side, const std::string& path, const std::string& fileName,
                   const std::string& infoPath)
{
    side.mods.push_back(ModEntry{path, fileName, infoPath});
    SendMessageA(side.listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DisplayName(fileName).c_str()));
}

void AddEnabledMod(const std::string& path, const std::string& fileName, const std::string& infoPath)
{
    AddMod(EnabledSide(), path, fileName, infoPath);
}

void AddDisabledMod(const std::string& path, const std::string& fileName, const std::string& infoPath)
{
    AddMod(DisabledSide(), path, fileName, infoPath);
}

void ClearModLists()
{
    DisabledMods.clear();
    EnabledMods.clear();
    SendMessageA(DisabledList, LB_RESETCONTENT, 0, 0);
    SendMessageA(EnabledList, LB_RESETCONTENT, 0, 0);
}

int SelectedRow(const ModSide& side)
{
    LRESULT row = SendMessageA(side.listBox, LB_GETCURSEL, 0, 0);
    if (row < 0 || static_cast<size_t>(row) >= side.mods.size())
        return -1;
    return static_cast<int>(row);
}

void PauseListRedraw()
{
    SendMessageA(DisabledList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(EnabledList, WM_SETREDRAW, FALSE, 0);
}

void ResumeListRedraw()
{
    for (HWND box : {DisabledList, EnabledList}) {
        SendMessageA(box, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(box, NULL, TRUE);
    }
}
