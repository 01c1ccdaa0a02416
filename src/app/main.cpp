// Program entry: the only code that the tests do not link.
#include <objbase.h>

#include "access/allow_changes.h"
#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Started as administrator for its one narrow request: no window.
    uint32_t allowed;
    if (RunAllowChangesCommand(GetCommandLineW(), allowed))
        return static_cast<int>(allowed);
    // Once for the one thread: the folder browser and the shell's start of the
    // game work through COM.
    HRESULT com = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int result = 0;
    if (CreateMainWindow(instance))
        result = RunMessageLoop();
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}
