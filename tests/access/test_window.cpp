#include "test_window.h"

namespace {
const char kClassName[] = "MarrowpadAccessTestWindow";
}

TestWindow::TestWindow(int left, int top, int width, int height) {
    static const ATOM registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TestWindow::procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)registered;
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "access test", WS_POPUP, left, top, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestWindow::~TestWindow() {
    DestroyWindow(window_);
}

LRESULT CALLBACK TestWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT) {
        const auto* self = reinterpret_cast<const TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const LONG objectId = static_cast<LONG>(static_cast<DWORD>(lParam));
        if (self && self->served && (objectId == OBJID_WINDOW || objectId == OBJID_CLIENT)) {
            return LresultFromObject(__uuidof(IAccessible), wParam, self->served);
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
