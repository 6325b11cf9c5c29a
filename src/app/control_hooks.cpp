#include "app/control_hooks.h"

#include <cstring>

namespace {

// Each subclass keeps the procedure it replaced in a property of its own, so that subclasses can be stacked
// on one window. The windows are Unicode windows and the procedures stay Unicode: an ANSI one would have
// every text message, typed characters included, pass through the system's code page, which cannot hold the
// panel's Chinese on most systems.
constexpr wchar_t kBeforeForwarding[] = L"Marrowpad.OriginalProcedure";
constexpr wchar_t kBeforeEscape[] = L"Marrowpad.BeforeEscape";
constexpr wchar_t kBeforeRadio[] = L"Marrowpad.BeforeRadio";

void subclass(HWND window, WNDPROC procedure, const wchar_t* property) {
    SetPropW(window, property, reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

// Passes the message to the procedure the subclass replaced. At WM_NCDESTROY each subclass puts that
// procedure back, the one added last first.
LRESULT callOriginal(const wchar_t* property, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(window, property));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(window, property);
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
            return callOriginal(kBeforeForwarding, box, message, wParam, lParam);
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
    return callOriginal(kBeforeEscape, control, message, wParam, lParam);
}

// Set while a radio button handles the user's click or key: the check it then gives itself unchecks the
// rest of the group, as it should.
int userChecking = 0;

LRESULT CALLBACK radioProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONUP:
        case WM_KEYUP:
        case BM_CLICK: {
            ++userChecking;
            const LRESULT result = callOriginal(kBeforeRadio, button, message, wParam, lParam);
            --userChecking;
            return result;
        }
        case BM_SETCHECK: {
            const LONG style = GetWindowLongW(button, GWL_STYLE);
            if (userChecking > 0 || wParam != BST_CHECKED || (style & BS_TYPEMASK) != BS_AUTORADIOBUTTON)
                break;
            // Common Controls 6 unchecks the group's other automatic radio buttons on this message, where
            // user32's button leaves them alone; the button handles it as a plain radio button instead.
            SetWindowLongW(button, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_RADIOBUTTON);
            const LRESULT result = callOriginal(kBeforeRadio, button, message, wParam, lParam);
            SetWindowLongW(button, GWL_STYLE,
                           (GetWindowLongW(button, GWL_STYLE) & ~BS_TYPEMASK) | BS_AUTORADIOBUTTON);
            return result;
        }
        default:
            break;
    }
    return callOriginal(kBeforeRadio, button, message, wParam, lParam);
}

}  // namespace

void forwardNotificationsToParent(HWND groupBox) {
    subclass(groupBox, forwardingProcedure, kBeforeForwarding);
}

void closeWindowOnEscape(HWND control) {
    subclass(control, escapeProcedure, kBeforeEscape);
}

void checkRadioButtonAlone(HWND radioButton) {
    subclass(radioButton, radioProcedure, kBeforeRadio);
}
