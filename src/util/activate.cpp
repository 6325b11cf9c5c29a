#include "util/activate.h"

void activateWindow(HWND window) {
    const DWORD self = GetCurrentThreadId();
    const DWORD owner = GetWindowThreadProcessId(window, nullptr);
    // Attached, the window's thread shares our input state, so SetActiveWindow may act on it.
    AttachThreadInput(owner, self, TRUE);
    SetActiveWindow(window);
    AttachThreadInput(owner, self, FALSE);
    // Activation alone leaves the window behind whatever is in front, and the keys go there. Brought to the
    // front after the detach: done while attached, Wine loses the foreground (none at all) when detaching.
    SetForegroundWindow(window);
}
