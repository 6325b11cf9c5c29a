// The pixel density a window is shown at.
#pragma once

#include <windows.h>

// The window's DPI (96 at 100 % scaling, 144 at 150 %): GetDpiForWindow where the system has it (Windows 10
// 1607 and later), otherwise the screen's LOGPIXELSX, which older systems use for every window.
int dpiOfWindow(HWND window);
