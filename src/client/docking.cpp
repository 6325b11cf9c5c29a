#include "client/docking.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace client {
namespace {

// Window coordinates are 32-bit; sums of them are made wide and kept in range.
int clamped(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

void dockBeside(DockingControls& panel, const Bounds& client, const std::function<bool()>& clientInFront) {
    const bool onLeft = panel.dockLeft.checked();
    const std::int64_t left = onLeft ? std::int64_t{client.left} - panel.window.width()
                                     : std::int64_t{client.left} + client.width - 1;
    panel.window.setLeft(clamped(left));
    panel.window.setTop(client.top);
    panel.window.setHeight(clamped(std::int64_t{client.height} + 1));
    if (onLeft) panel.dockRight.setChecked(false);
    panel.window.setTopmost(clientInFront());
}

}  // namespace client
