// Finding a window of another program among the desktop's top-level windows, as the tests look for the
// panel, its popup menu and message boxes, and the windows the programs under test open.
#pragma once

#include <windows.h>

#include <functional>

namespace testwindows {

// The first top-level window, in z-order, for which `matches` holds; nullptr when none does.
HWND findTopLevel(const std::function<bool(HWND window)>& matches);

// The process that owns the window; 0 when the window has gone.
DWORD processOf(HWND window);

}  // namespace testwindows
