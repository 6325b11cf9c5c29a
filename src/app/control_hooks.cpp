#include "app/control_hooks.h"

#include <cstring>

namespace {

// Each subclassed window keeps its original procedure in this property. The windows are Unicode windows and
// the procedures stay Unicode: an ANSI one would have every text message, typed characters included, pass
// through the system's code page, which cannot hold the panel's Chinese on most systems.
constexpr wchar_t kOriginalProcedure[] = L"Marrowpad.OriginalProcedure";

void subclass(HWND window, WNDPROC procedure) {
    SetPropW(window, kOriginalProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

LRESULT callOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(window, kOriginalProcedure));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(window, kOriginalProcedure);
    }
    return CallWindowProcW(original, window, message, wParam, lParam);
}

LRESULT CALLBACK forwardingProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return SendMessageW(GetParent(box), message, wParam, lParam);
        case WM_ERASEBKGND: {
            // A group box paints only its frame and caption; as a container it also fills the space
            // between its controls, in the main window's background colour.
            RECT area{};
            GetClientRect(box, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default:
            return callOriginal(box, message, wParam, lParam);
    }
}

bool isOpenDropDown(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    return _wcsicmp(className, L"ComboBox") == 0 && SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0);
}

LRESULT CALLBACK escapeProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE && !isOpenDropDown(control)) {
        PostMessageW(GetAncestor(control, GA_ROOT), WM_CLOSE, 0, 0);
        return 0;
    }
    return callOriginal(control, message, wParam, lParam);
}

}  // namespace

void forwardNotificationsToParent(HWND groupBox) {
    subclass(groupBox, forwardingProcedure);
}

void closeWindowOnEscape(HWND control) {
    subclass(control, escapeProcedure);
}
