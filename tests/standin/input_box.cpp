#include "input_box.h"

#include <cstdio>
#include <string>
#include <vector>

#include "log_text.h"
#include "util/handles.h"

namespace {

handles::unique_hfile g_log;
WNDPROC g_editProc = nullptr;

// One line per event, written through at once so that a test reads it while the box runs.
void logEvent(const std::wstring& event) {
    if (!g_log) return;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%llu ", static_cast<unsigned long long>(GetTickCount64()));
    const std::string line = stamp + standin::toUtf8(event) + "\n";
    DWORD written = 0;
    WriteFile(g_log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::wstring hex(unsigned value, int digits) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%0*X", digits, value);
    return buffer;
}

std::wstring boxText(HWND box) {
    std::vector<wchar_t> buffer(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    GetWindowTextW(box, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

std::wstring clipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        handles::GlobalLockGuard lock(data);
        if (lock.data()) text = static_cast<const wchar_t*>(lock.data());
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK inputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP: {
            const wchar_t* kind = message == WM_KEYDOWN      ? L"keydown "
                                  : message == WM_KEYUP      ? L"keyup "
                                  : message == WM_SYSKEYDOWN ? L"syskeydown "
                                                             : L"syskeyup ";
            logEvent(kind + hex(static_cast<unsigned>(wParam), 2));
            if (message == WM_KEYDOWN && wParam == VK_RETURN) {
                // Enter sends: the text leaves the box, as it leaves the client's.
                logEvent(L"send " + standin::escapeLogText(boxText(box)));
                SetWindowTextW(box, L"");
                return 0;
            }
            break;
        }
        case WM_CHAR:
            logEvent(L"char " + hex(static_cast<unsigned>(wParam), 4));
            if (wParam == L'\r') return 0;  // Enter sent the text; it adds no line break
            break;
        case WM_PASTE:
            logEvent(L"paste " + standin::escapeLogText(clipboardText(box)));
            break;
    }
    return CallWindowProcW(g_editProc, box, message, wParam, lParam);
}

}  // namespace

HWND createInputBox(HWND parent, const std::wstring& logPath) {
    if (!logPath.empty()) {
        g_log.reset(CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    HWND box =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                        310, 450, 490, 100, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&inputBoxProc)));
    return box;
}
