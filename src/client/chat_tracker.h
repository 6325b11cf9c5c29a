// Following the chosen WeChat instance on every tick of 时钟1: the name of the friend whose chat is open
// goes into the nickname box (whose change shows that friend's remark), and the panel docks beside the
// WeChat window, above it exactly while it is the foreground window. A tick keeps nothing between runs.
#pragma once

#include <windows.h>

#include "access/acc_element.h"
#include "client/client_controls.h"
#include "client/docking.h"
#include "util/gbk_text.h"

namespace client {

// What a tick reads and writes of the panel.
struct TrackedPanel {
    TextBox& nicknameBox;     // 编辑框_好友昵称
    DockingControls docking;  // the main window, 单选框_左, 单选框_右
};

// One tick against the followed window `client` and its element `clientRoot`: out of the topmost band
// first when the client is in front, then updateFriendNickname and dockToClient. A tick that would start
// while another is still running (inside a call into WeChat that lets messages through) does nothing.
void trackOpenChat(TrackedPanel& panel, HWND client, const AccElement& clientRoot, const Text& chatPath);

// Writes the name that `chatPath` reaches below `clientRoot` ("NAMELESS" when it finds nothing) into the
// nickname box, only when the box holds another text: the same chat left open does not raise the box's
// change again.
void updateFriendNickname(TextBox& nicknameBox, const AccElement& clientRoot, const Text& chatPath);

// Docks the panel beside the window `client` as it is now (client/docking.h), topmost exactly when
// `client` is the foreground window.
void dockToClient(DockingControls& panel, HWND client);

}  // namespace client
