#include "client/chat_tracker.h"

#include "access/element_info.h"
#include "access/path_query.h"
#include "access/snapshot.h"
#include "util/handles.h"

namespace client {
namespace {

// No window (the handle 0 of an instance whose main window was not found) is never in front, also when
// the system has no foreground window at all.
bool isForeground(HWND window) {
    return window && GetForegroundWindow() == window;
}

}  // namespace

void trackOpenChat(TrackedPanel& panel, HWND client, const AccElement& clientRoot, const Text& chatPath) {
    // A call into WeChat may let window messages through while it waits, the timer's among them. A tick
    // that comes in the middle of another would only repeat it; while WeChat hangs, such ticks would nest
    // deeper every 100 ms until the stack ran out. So a tick does not start inside another.
    static bool ticking = false;
    if (ticking) return;
    ticking = true;
    const auto done = handles::scopeExit([] { ticking = false; });

    if (isForeground(client)) panel.docking.window.setTopmost(false);
    updateFriendNickname(panel.nicknameBox, clientRoot, chatPath);
    dockToClient(panel.docking, client);
}

void updateFriendNickname(TextBox& nicknameBox, const AccElement& clientRoot, const Text& chatPath) {
    AccElement found;  // stays empty, and so NAMELESS, when the path finds nothing
    findByPath(clientRoot, chatPath, found);
    // Of the element's properties only the name is read: one call into WeChat rather than a dozen.
    const Text name = nameField(found.name());
    if (nicknameBox.text() != name) nicknameBox.setText(name);
}

void dockToClient(DockingControls& panel, HWND client) {
    dockBeside(panel, windowBounds(client), [client] { return isForeground(client); });
}

}  // namespace client
