// The WeChat instances the panel can follow: the drop-down 组合框1 lists each running instance by the
// account nickname its main window shows, and choosing an entry makes that instance the one followed.
#pragma once

#include <windows.h>

#include <vector>

#include "access/acc_element.h"
#include "client/client_controls.h"
#include "util/gbk_text.h"

namespace client {

constexpr const char* kClientImageName = "WeChat.exe";
constexpr const char* kClientWindowClass = "WeChatMainWndForPC";
constexpr const char* kClientWindowTitle = "微信";
constexpr int kTrackingPeriodMs = 100;

// Rebuilds `clientWindows` and the entries of `instances` together, one per WeChat process in the order
// of the process snapshot: the process's main window (0 when it was not found) and the name that
// `accountPath` reaches below it ("NAMELESS" when the path finds nothing there). All main windows are
// found before any name is read; the window searches let other messages run. The first entry is shown
// as selected, which raises no event: the instance followed stays the same.
void scanClientInstances(ChoiceList& instances, std::vector<HWND>& clientWindows, const Text& accountPath);

// Follows the instance selected in `instances`: its window (from `clientWindows`, by position) becomes
// `currentClientWindow` and is activated, `clientRoot` is bound to it and `timer` runs every 100 ms.
// Nothing changes when no entry is selected.
void selectClientInstance(const ChoiceList& instances, const std::vector<HWND>& clientWindows,
                          HWND& currentClientWindow, AccElement& clientRoot, PeriodicTimer& timer);

}  // namespace client
