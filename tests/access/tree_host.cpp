// A small program of ours that creates one (hidden) top-level window and serves an accessibility tree of fake
// objects for it, so that the tests read a window of another process through the accessibility layer. Usage:
// tree_host.exe <window title>. It ends when its window is closed.
//
// The window's object (OBJID_WINDOW):
//   #1 标题栏 (title bar)
//   #2 客户区 (client area, state 0), children reported as numbers
//        #1 会话 (pane)    #1 好友名 (simple, at 210,160 300x20)    #2 消息 (full, value 你好)
#include <oleacc.h>
#include <windows.h>

#include "support/fake_accessible.h"

namespace {

const char kClassName[] = "MarrowpadTreeHost";
IAccessible* g_served = nullptr;

fake::Props props(const wchar_t* name, long role, RECT location = {}) {
    fake::Props p;
    p.name = name;
    p.role = role;
    p.location = location;
    return p;
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_WINDOW && g_served) {
                return LresultFromObject(__uuidof(IAccessible), wParam, g_served);
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || FAILED(CoInitialize(nullptr))) return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) return 3;
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, argv[1], WS_POPUP, 200, 150, 300, 200,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 4;

    auto root =
        fake::FakeAccessible::create(props(L"宿主窗口", ROLE_SYSTEM_WINDOW, RECT{200, 150, 500, 350}));
    root->window = window;
    root->addFull(props(L"标题栏", ROLE_SYSTEM_TITLEBAR));
    fake::FakeAccessible* client = root->addFull(props(L"客户区", ROLE_SYSTEM_CLIENT));
    client->childrenAsNumbers = true;
    fake::FakeAccessible* pane = client->addFull(props(L"会话", ROLE_SYSTEM_PANE));
    pane->addSimple(props(L"好友名", ROLE_SYSTEM_STATICTEXT, RECT{210, 160, 510, 180}));
    client->addFull(props(L"消息", ROLE_SYSTEM_TEXT))->self().value = L"你好";
    g_served = root.Get();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    g_served = nullptr;
    root.Reset();
    CoUninitialize();
    return 0;
}
