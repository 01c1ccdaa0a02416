// Program entry: the only code that the tests do not link.
#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (!CreateMainWindow(instance))
        return 0;
    return RunMessageLoop();
}
