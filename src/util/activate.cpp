#include "util/activate.h"

void activateWindow(HWND window) {
    const DWORD self = GetCurrentThreadId();
    const DWORD owner = GetWindowThreadProcessId(window, nullptr);
    // In front before the activation too: activated from behind, the window's focus went back and forth
    // under Wine, and a few times in a hundred the desktop was left in front once the dust settled.
    SetForegroundWindow(window);
    // Attached, the window's thread shares our input state, so SetActiveWindow may act on it.
    AttachThreadInput(owner, self, TRUE);
    SetActiveWindow(window);
    // Sharing our input state, the window can be active while the keyboard focus stays in a window of ours
    // (the list that was double-clicked): the detach then leaves it active without focus, and it gets no
    // keys. Given the focus, the window hands it on to its own input box.
    const HWND focus = GetFocus();
    if (!focus || GetWindowThreadProcessId(focus, nullptr) != owner) SetFocus(window);
    AttachThreadInput(owner, self, FALSE);
    // Activation alone leaves the window behind whatever is in front, and the keys go there. Brought to the
    // front after the detach: done while attached, Wine loses the foreground (none at all) when detaching.
    SetForegroundWindow(window);
}
