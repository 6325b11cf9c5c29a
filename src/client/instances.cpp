#include "client/instances.h"

#include "access/element_info.h"
#include "access/path_query.h"
#include "client/process_list.h"
#include "client/window_finder.h"
#include "util/activate.h"

namespace client {
namespace {

// The name shown at `accountPath` below the window. Each window is read into an element of its own, so
// that a window whose path finds nothing shows "NAMELESS" rather than the name of another account.
Text accountName(HWND window, const Text& accountPath) {
    AccElement root;
    root.bindWindow(window);
    AccElement account;
    findByPath(root, accountPath, account);
    return nameField(account.name());
}

}  // namespace

void scanClientInstances(ChoiceList& instances, std::vector<HWND>& clientWindows, const Text& accountPath) {
    instances.clear();
    clientWindows.clear();
    ProcessIdList ids;
    findProcessIds(kClientImageName, ids);
    std::vector<HWND> found;
    for (DWORD id : ids) {
        found.push_back(findProcessWindow(id, Text(kClientWindowTitle), Text(kClientWindowClass), -1, false));
    }
    for (HWND window : found) {
        const Text name = accountName(window, accountPath);
        // Appended together, so that the entries and the windows stay aligned even when a nested scan ran.
        clientWindows.push_back(window);
        instances.append(name);
    }
    instances.setSelection(0);
}

void selectClientInstance(const ChoiceList& instances, const std::vector<HWND>& clientWindows,
                          HWND& currentClientWindow, AccElement& clientRoot, PeriodicTimer& timer) {
    const int selected = instances.selection();
    if (selected < 0 || static_cast<std::size_t>(selected) >= clientWindows.size()) return;
    currentClientWindow = clientWindows[static_cast<std::size_t>(selected)];
    activateWindow(currentClientWindow);
    clientRoot.bindWindow(currentClientWindow);
    timer.setPeriod(kTrackingPeriodMs);
}

}  // namespace client
