// Where the panel goes beside the followed WeChat window, and its place in the z-order.
#pragma once

#include <functional>

#include "access/element_info.h"
#include "client/client_controls.h"

namespace client {

// The panel and its docking side: 单选框_左 chosen docks on the left, otherwise on the right.
struct DockingControls {
    DockedWindow& window;
    const Toggle& dockLeft;  // 单选框_左
    Toggle& dockRight;       // 单选框_右
};

// Moves the panel beside a client window whose outer rectangle is `client` (four zeros for a window that
// has gone): on the left its right edge meets the client's left edge, and 单选框_右 is unchecked; on the
// right it covers the client's rightmost pixel column. Either way it takes the client's top and its height
// plus 1, and keeps its width. Then it enters the topmost band when `clientInFront()`, asked after the
// moves, and leaves it otherwise. Every write is made, also when the value is in place already.
void dockBeside(DockingControls& panel, const Bounds& client, const std::function<bool()>& clientInFront);

}  // namespace client
