#include "panel_watch.h"

std::wstring windowTextOf(HWND window) {
    // GetWindowText gives another process's controls no text of their own; the message asks the control.
    wchar_t text[512] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
    return text;
}

std::vector<std::wstring> entriesOf(HWND comboBox) {
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(comboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<std::size_t>(SendMessageW(comboBox, CB_GETLBTEXTLEN, i, 0)) + 1,
                           L'\0');
        SendMessageW(comboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(wcslen(entry.c_str()));
        entries.push_back(entry);
    }
    return entries;
}

RECT rectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool isTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void chooseEntry(HWND comboBox, int position) {
    SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(control_ids::clientCombo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(comboBox));
}

void doubleClick(HWND label) {
    const LPARAM at = MAKELPARAM(5, 5);
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(label, WM_LBUTTONUP, 0, at);
    PostMessageW(label, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(label, WM_LBUTTONUP, 0, at);
}

bool isDockedBeside(HWND panel, const RECT& client, Side side, int width) {
    const RECT p = rectOf(panel);
    const int left = side == Side::Right ? client.right - 1 : client.left - width;
    return p.right - p.left == width && p.left == left && p.top == client.top &&
           p.bottom - p.top == client.bottom - client.top + 1;
}

namespace {

void pumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

}  // namespace

bool bringToFront(HWND window) {
    SetForegroundWindow(window);
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != window && GetTickCount() - start < kTickTimeoutMs) pumpFor(10);
    pumpFor(200);
    return GetForegroundWindow() == window;
}

TestWindow::TestWindow() {
    window_ = CreateWindowExW(0, L"STATIC", L"test window", WS_POPUP | WS_VISIBLE | WS_BORDER, 1200, 700, 200,
                              100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow() {
    if (window_) DestroyWindow(window_);
}

bool passTicks(HWND panel, HWND client, Side side, int ticks) {
    for (int tick = 0; tick < ticks; ++tick) {
        const RECT r = rectOf(client);
        const int step = tick % 2 ? -1 : 1;
        SetWindowPos(client, nullptr, r.left + step, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!waitUntil([&] { return isDockedBeside(panel, rectOf(client), side); }, kTickTimeoutMs))
            return false;
    }
    return true;
}

bool PanelFollowTest::waitForEntries(const std::vector<std::wstring>& entries) const {
    HWND combo = control(control_ids::clientCombo);
    return waitUntil(
        [&] { return entriesOf(combo) == entries && SendMessageW(combo, CB_GETCURSEL, 0, 0) == 0; },
        kTickTimeoutMs);
}
