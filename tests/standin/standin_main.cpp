// The stand-in chat client: a WeChat.exe of our own for the tests. Its main window has the class and
// title the panel looks for, serves an accessibility tree with the account nickname and the open chat at
// the client's paths, and has a message input box that logs what it receives. Tests drive it through
// its command line and WM_COPYDATA commands (standin_protocol.h).
#include <ole2.h>
#include <shellapi.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "input_box.h"
#include "log_text.h"
#include "standin_protocol.h"
#include "standin_tree.h"

namespace {

struct Options {
    std::wstring account = L"张三";
    std::optional<std::wstring> chat;
    std::wstring title = L"微信";
    std::wstring logPath;
    bool hidden = false;
    bool popup = false;
    bool enumerator = true;
};

constexpr UINT kBusyMessage = WM_APP + 1;

HWND g_main = nullptr;
HWND g_inputBox = nullptr;
std::unique_ptr<StandInTree> g_tree;

Options parseCommandLine() {
    Options options;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        const std::wstring arg = args[i];
        const bool hasValue = i + 1 < count;
        if (arg == L"--account" && hasValue) {
            options.account = args[++i];
        } else if (arg == L"--chat" && hasValue) {
            options.chat = args[++i];
        } else if (arg == L"--title" && hasValue) {
            options.title = args[++i];
        } else if (arg == L"--log" && hasValue) {
            options.logPath = args[++i];
        } else if (arg == L"--hidden") {
            options.hidden = true;
        } else if (arg == L"--popup") {
            options.popup = true;
        } else if (arg == L"--no-enumerator") {
            options.enumerator = false;
        }
    }
    LocalFree(args);
    return options;
}

LRESULT runCommand(const std::wstring& command) {
    const std::size_t space = command.find(L' ');
    const std::wstring verb = command.substr(0, space);
    const std::wstring argument = space == std::wstring::npos ? std::wstring() : command.substr(space + 1);
    if (verb == L"account") {
        g_tree->setAccount(argument);
    } else if (verb == L"chat") {
        g_tree->openChat(argument);
    } else if (verb == L"nochat") {
        g_tree->closeChat();
    } else if (verb == L"title") {
        SetWindowTextW(g_main, argument.c_str());
    } else if (verb == L"hide" || verb == L"show") {
        ShowWindow(g_main, verb == L"hide" ? SW_HIDE : SW_SHOW);
    } else if (verb == L"close") {
        PostMessageW(g_main, WM_CLOSE, 0, 0);
    } else if (verb == L"busy") {
        // Replied first, then asleep: the sender is not the one left waiting.
        PostMessageW(g_main, kBusyMessage, static_cast<WPARAM>(_wtoi(argument.c_str())), 0);
    } else if (verb == L"calls") {
        return fake::FakeAccessible::callsServed();
    } else if (verb == L"objects") {
        return fake::FakeAccessible::liveObjects();
    } else if (verb == L"refs") {
        return fake::FakeAccessible::referencesHeld();
    } else if (verb == L"resetcalls") {
        fake::FakeAccessible::resetCallsServed();
    } else if (verb == L"acp") {
        return static_cast<LRESULT>(GetACP());
    } else {
        return 0;
    }
    return 1;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The owned pop-up shares the class and is an ordinary window.
    if (window != g_main) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_GETOBJECT: {
            const LONG objectId = static_cast<LONG>(lParam);
            if (objectId == OBJID_WINDOW)
                return LresultFromObject(__uuidof(IAccessible), wParam, g_tree->windowObject());
            if (objectId == OBJID_CLIENT)
                return LresultFromObject(__uuidof(IAccessible), wParam, g_tree->clientObject());
            break;
        }
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data->dwData != standin::kCommandTag) return 0;
            return runCommand(standin::fromUtf8(static_cast<const char*>(data->lpData), data->cbData));
        }
        case kBusyMessage:
            Sleep(static_cast<DWORD>(wParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) SetFocus(g_inputBox);
            return 0;
        case WM_SETFOCUS:
            SetFocus(g_inputBox);
            return 0;
        case WM_WINDOWPOSCHANGED:
            g_tree->followWindow();
            break;
        case WM_CLOSE:
            // Ends at once: under Wine without a window manager, hiding or destroying the active window waits
            // about 2 s for the X server; the windows go with the process.
            PostQuitMessage(0);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const Options options = parseCommandLine();
    if (FAILED(OleInitialize(nullptr))) return 1;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = standin::kWindowClass;
    RegisterClassExW(&windowClass);

    // Each copy a little apart from the others, so that none hides another completely.
    const int offset = static_cast<int>(GetCurrentProcessId() % 8) * 24;
    HWND main = CreateWindowExW(0, standin::kWindowClass, options.title.c_str(), WS_OVERLAPPEDWINDOW,
                                40 + offset, 40 + offset, 816, 639, nullptr, nullptr, instance, nullptr);
    if (!main) return 1;
    g_tree = std::make_unique<StandInTree>(main, options.account, options.chat, options.enumerator);
    g_main = main;
    g_inputBox = createInputBox(main, options.logPath);
    if (options.popup) {
        HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW, standin::kWindowClass, options.title.c_str(),
                                     WS_POPUP | WS_CAPTION, 100 + offset, 100 + offset, 300, 200, main,
                                     nullptr, instance, nullptr);
        ShowWindow(popup, SW_SHOWNOACTIVATE);
    }
    if (!options.hidden) ShowWindow(main, SW_SHOW);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    g_main = nullptr;
    g_tree.reset();
    OleUninitialize();
    return 0;
}
