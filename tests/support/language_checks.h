// What the tests of the languages share: texts measured against their
// controls, English found where only the pseudo-language should be, and a
// test program run at another display scale.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A control's text against the room its control gives it, in pixels.
struct TextFit {
    std::string where;  // "Mod Sets: &Rename"
    int needed, room;   // width; and the same for the height below
    int neededHeight, roomHeight;
    bool Fits() const { return needed <= room && neededHeight <= roomHeight; }
};

// Each button and label of `window` with a text, but those in `skip`,
// measured with its own font: a button's text with a margin of 3 pixels at
// 96 DPI on each side, a label's on one line.
std::vector<TextFit> MeasureTexts(HWND window, const std::string& where, const std::vector<HWND>& skip = {});

// The runs of two or more ASCII letters in `text` outside the player's data
// (`data`: names, paths) and the key names after a tab: English that did not
// come through the pseudo-language.
std::vector<std::string> EnglishIn(const std::string& text, const std::vector<std::string>& data);

// The title and the texts of every descendant of `window` (list box rows
// too), as the player sees them.
std::vector<std::string> TextsOnScreen(HWND window);

// Runs `program` with `arguments` to its end (at most `timeoutMs`), its output
// and errors written to `output`; its exit code, or STILL_ACTIVE if killed.
DWORD RunToEnd(const std::string& program, const std::string& arguments, const std::string& output,
               DWORD timeoutMs);

// The letter that "&" marks in a menu entry or a control's text, in lower
// case; 0 when none is marked ("&&" shows an "&").
wchar_t AltLetter(const std::wstring& text);

// The entries of the system menu as the system has it in `language` (its
// primary language); none when the system lacks that language.
std::vector<std::wstring> SystemMenuEntries(LANGID language);

class DialogAnswerer;

// Opens every window of the tool in the current language over the started
// main window: the main window itself, the Mod Sets dialog, the preview of a
// pasted set (`pasted`: a set's text) and the progress window; each goes to
// `visit` while it shows, named. Gives the entries of the lists' menu and of
// the system menu.
std::vector<std::string> VisitEveryWindow(DialogAnswerer& dialogs, const std::string& pasted,
                                          const std::function<void(HWND, const std::string&)>& visit);
