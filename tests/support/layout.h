// The main window's layout at any DPI: its fourteen controls' 96-DPI figures,
// scaled, checked against a window of this process or of another.
#pragma once

#include <windows.h>

// Each child of `window`, in creation order, has its 96-DPI place and size
// multiplied by dpi / 96, give or take a pixel of rounding; a list box may be
// shorter by less than one of its rows.
void ExpectLayout(HWND window, UINT dpi);

// Sets the display scale that processes started from now on see, and puts the
// old one back when it goes out of scope.
class DisplayScale {
public:
    explicit DisplayScale(DWORD dpi);
    ~DisplayScale();
    DisplayScale(const DisplayScale&) = delete;
    DisplayScale& operator=(const DisplayScale&) = delete;

private:
    DWORD old_ = 0;
    bool hadOld_ = false;
};
