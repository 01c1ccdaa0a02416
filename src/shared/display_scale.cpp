#include "shared/display_scale.h"

namespace {

// A function of user32 that older systems lack, or NULL.
template <typename Function>
Function User32(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : NULL;
}

typedef UINT(WINAPI* GetDpiForSystemFunction)();
typedef UINT(WINAPI* GetDpiForWindowFunction)(HWND);
typedef int(WINAPI* GetSystemMetricsForDpiFunction)(int, UINT);

}  // namespace

UINT SystemDpi()
{
    static GetDpiForSystemFunction forSystem = User32<GetDpiForSystemFunction>("GetDpiForSystem");
    if (forSystem)
        return forSystem();
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(NULL, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UINT WindowDpi(HWND window)
{
    static GetDpiForWindowFunction forWindow = User32<GetDpiForWindowFunction>("GetDpiForWindow");
    UINT dpi = forWindow ? forWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

int Scaled(int value, UINT dpi)
{
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

int MetricForDpi(int index, UINT dpi)
{
    static GetSystemMetricsForDpiFunction forDpi =
        User32<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}
