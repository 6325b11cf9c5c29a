#include "app/control_hooks.h"

#include <cstring>

namespace {

// Each subclassed window keeps its original procedure in this property. The procedures stay ANSI, as the
// whole program is.
constexpr char kOriginalProcedure[] = "Marrowpad.OriginalProcedure";

void subclass(HWND window, WNDPROC procedure) {
    SetPropA(window, kOriginalProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

LRESULT callOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProcedure));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(window, kOriginalProcedure);
    }
    return CallWindowProcA(original, window, message, wParam, lParam);
}

LRESULT CALLBACK forwardingProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return SendMessageA(GetParent(box), message, wParam, lParam);
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
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    return _stricmp(className, "ComboBox") == 0 && SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0);
}

LRESULT CALLBACK escapeProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE && !isOpenDropDown(control)) {
        PostMessageA(GetAncestor(control, GA_ROOT), WM_CLOSE, 0, 0);
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
