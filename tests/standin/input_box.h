// The stand-in's message input box: an edit control that logs every key and every text it receives, and
// clears itself at Enter as a send would, so that a test can read back what a send delivered, in order.
#pragma once

#include <windows.h>

#include <string>

// Creates the box in `parent`. With an empty `logPath` nothing is logged.
HWND createInputBox(HWND parent, const std::wstring& logPath);
