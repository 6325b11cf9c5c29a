#include "support/window_search.h"

namespace testwindows {

namespace {

struct Search {
    const std::function<bool(HWND)>& matches;
    HWND found;
};

BOOL CALLBACK examine(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!search->matches(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND findTopLevel(const std::function<bool(HWND window)>& matches) {
    Search search{matches, nullptr};
    EnumWindows(examine, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD processOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

}  // namespace testwindows
