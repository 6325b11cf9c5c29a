// Bringing another process's window to the front, so that keys synthesized next reach it.
#pragma once

#include <windows.h>

// Makes `window` the active and foreground window. Failures (0, a window that has gone) pass silently.
void activateWindow(HWND window);
