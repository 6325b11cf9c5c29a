#include "client/window_finder.h"

#include <vector>

#include "util/codepage.h"
#include "util/message_pump.h"

Text getWindowClassText(HWND window) {
    wchar_t buffer[261] = {};
    const int length = GetClassNameW(window, buffer, 260);
    return fromWide(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

Text getWindowTitleText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return Text();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, buffer.data(), length + 1);
    return fromWide(buffer.data(), buffer.size());
}

namespace {

bool matches(HWND window, const std::optional<Text>& title, const std::optional<Text>& className) {
    const Text windowClass = getWindowClassText(window);
    const Text windowTitle = getWindowTitleText(window);
    if (className && !gbk::contains(windowClass, *className)) return false;
    if (title && !gbk::contains(windowTitle, *title)) return false;
    return true;
}

}  // namespace

HWND findProcessWindow(DWORD processId, const std::optional<Text>& title,
                       const std::optional<Text>& className, int timeLimitMs, bool visibleOnly) {
    const DWORD start = GetTickCount();
    const DWORD limit = static_cast<DWORD>(timeLimitMs >= 0 ? timeLimitMs : kDefaultWindowSearchLimitMs);
    HWND window = nullptr;
    while (GetTickCount() - start < limit) {
        const HWND next = FindWindowExW(nullptr, window, nullptr, nullptr);
        if (!next && window && !IsWindow(window)) {
            // The window we stood on went away, perhaps while messages ran: its place in the Z order is lost
            // with it, so the walk starts again from the top rather than ending as if all had been seen.
            window = nullptr;
            continue;
        }
        window = next;
        if (!window) return nullptr;
        if (visibleOnly && !IsWindowVisible(window)) continue;
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        // Owned pop-ups are top-level too; GetParent names their owner.
        if (owner == processId && !GetParent(window) && matches(window, title, className)) return window;
        processPendingMessages();
    }
    return nullptr;
}
