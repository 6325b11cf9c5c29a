#include "app/window_dpi.h"

#include "app/dpi_scale.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: Windows 7 and 8 have no GetDpiForWindow, and linking it would keep the program from
// starting there.
GetDpiForWindowFunction getDpiForWindow() {
    static const GetDpiForWindowFunction function = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        FARPROC found = user32 ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
        return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(found));
    }();
    return function;
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int dpiOfWindow(HWND window) {
    int dpi = 0;
    if (const GetDpiForWindowFunction function = getDpiForWindow(); function && window) {
        dpi = static_cast<int>(function(window));
    }
    if (dpi <= 0) dpi = screenDpi();
    return dpi > 0 ? dpi : dpi_scale::kBaseDpi;
}
