// Finds the top-level window of a given process by class name and title (the WeChat main window of each
// instance). The search lets other messages of the GUI thread run after each window it examines.
#pragma once

#include <windows.h>

#include <optional>

#include "util/gbk_text.h"

constexpr int kDefaultWindowSearchLimitMs = 31536000;

// The first unowned top-level window of `processId`, in Z order from the top, whose class name contains
// `className` and whose title contains `title` (each tested only when given; containment at GBK character
// boundaries). Hidden windows are passed over when `visibleOnly`. When the window last visited goes away
// during the walk, the walk starts again from the top. A negative `timeLimitMs` means the default
// limit; when the limit has passed, the search gives up. Returns 0 when nothing was found.
HWND findProcessWindow(DWORD processId, const std::optional<Text>& title = std::nullopt,
                       const std::optional<Text>& className = std::nullopt, int timeLimitMs = -1,
                       bool visibleOnly = true);

// The window's class name, in the system ANSI code page.
Text getWindowClassText(HWND window);
// The window's title, converted to GBK.
Text getWindowTitleText(HWND window);
