// Answers the popup menu that the program tracks on the test thread: records
// its entries and chooses one, with the keys a player would press.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class MenuChooser {
public:
    // `path`: the texts of the entries to choose, one per menu level (for
    // example {"&Switch To", "Campaign"}); empty: the menu is closed with Esc.
    explicit MenuChooser(std::vector<std::string> path);
    ~MenuChooser();
    MenuChooser(const MenuChooser&) = delete;
    MenuChooser& operator=(const MenuChooser&) = delete;

    bool Shown() const { return shown_; }
    // The texts of the menu's entries, separators as "-", and of the
    // submenu the path opens.
    const std::vector<std::string>& Entries() const { return entries_; }
    const std::vector<std::string>& SubmenuEntries() const { return submenuEntries_; }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR timer, DWORD);
    void Choose(HWND menuWindow);

    std::vector<std::string> path_;
    std::vector<std::string> entries_, submenuEntries_;
    bool shown_ = false;
    UINT_PTR timer_;
    static MenuChooser* active_;
};

std::vector<std::string> MenuTexts(HMENU menu);

// The entry at `path` chosen in the list box's menu, opened as OpenListMenu
// opens it.
void ChooseInListMenu(HWND listBox, LPARAM position, const std::vector<std::string>& path);

// What a right click on the list box (at `position` on the screen), Shift+F10
// or the menu key (-1) gives the main window. The mouse moves that window
// changes leave waiting are handled first, as they would have been before the
// click: left waiting, they would close the menu at once.
void OpenListMenu(HWND listBox, LPARAM position);
