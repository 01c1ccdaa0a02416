// The two mod lists and the list boxes that mirror them: row i of a list box
// always shows the display name of entry i of its list.
#pragma once

#include <string>
#include <vector>

#include "shared/window_state.h"

// One list with its list box and the button that acts on its selection.
struct ModSide {
    std::vector<ModEntry>& mods;
    HWND listBox;
    HWND button;
};

ModSide EnabledSide();
ModSide DisabledSide();

// Append an entry and its row.
void AddEnabledMod(const std::string& path, const std::string& fileName, const std::string& infoPath);
void AddDisabledMod(const std::string& path, const std::string& fileName, const std::string& infoPath);

// Empties both lists and both list boxes.
void ClearModLists();

// The index of the selected row when it has an entry behind it, else -1.
int SelectedRow(const ModSide& side);

// Turns repainting of both list boxes off for a bulk change, and back on with
// one repaint: adding rows one by one with repainting on costs seconds per
// thousand rows.
void PauseListRedraw();
void ResumeListRedraw();
