// findProcessWindow against stand-in processes: a main window of class WeChatMainWndForPC titled 微信,
// optionally hidden, with an owned pop-up of the same class and title, or with another title.
#include "client/window_finder.h"

#include <gtest/gtest.h>

#include "standin_control.h"

using standin::StandIn;

namespace {

const Text kClass = "WeChatMainWndForPC";
const Text kTitle = "微信";

// A window of this test process with a class of its own.
HWND createTestWindow(const char* className, WNDPROC procedure, DWORD exStyle, DWORD style, HWND parent) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(exStyle, className, "", style, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(FindProcessWindow, FindsEachProcessItsOwnWindowByClassAndTitle) {
    StandIn first;
    StandIn second;
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(second.started());
    EXPECT_EQ(findProcessWindow(first.processId(), kTitle, kClass), first.window());
    EXPECT_EQ(findProcessWindow(second.processId(), kTitle, kClass), second.window());
    EXPECT_EQ(findProcessWindow(first.processId()), first.window()) << "nothing to test: the first window";
    EXPECT_EQ(findProcessWindow(first.processId(), kTitle, Text("NoSuchClass")), nullptr);
    EXPECT_EQ(findProcessWindow(first.processId(), Text("QQ"), kClass), nullptr);
    EXPECT_EQ(findProcessWindow(GetCurrentProcessId(), kTitle, kClass), nullptr);
}

TEST(FindProcessWindow, HiddenWindowsOnlyWhenVisibleOnlyIsOff) {
    StandIn client({L"--hidden"});
    ASSERT_TRUE(client.started());
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass, -1, false), client.window());
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass, -1, true), nullptr);
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass), nullptr) << "visible only by default";
}

TEST(FindProcessWindow, OwnedPopupIsNeverTheResult) {
    // The pop-up is visible and above its hidden owner; only the owner may be found.
    StandIn client({L"--popup", L"--hidden"});
    ASSERT_TRUE(client.started());
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass), nullptr);
    EXPECT_EQ(findProcessWindow(client.processId()), nullptr);
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass, -1, false), client.window());
}

TEST(FindProcessWindow, TimeLimitZeroEndsBeforeTheFirstWindow) {
    StandIn client;
    ASSERT_TRUE(client.started());
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass, 0), nullptr);
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass, 5000), client.window());
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass, -5), client.window())
        << "negative: no limit";
}

TEST(FindProcessWindow, TitleAndClassAreContainedAtCharacterBoundaries) {
    StandIn client({L"--title", L"微信 - 李四"});
    ASSERT_TRUE(client.started());
    const HWND window = client.window();
    EXPECT_EQ(getWindowTitleText(window), "微信 - 李四");
    EXPECT_EQ(getWindowClassText(window), kClass);
    struct Case {
        Text title;
        Text className;
        bool found;
    } cases[] = {
        {"微信", kClass, true},
        {"李四", "MainWnd", true},
        {"信", "WeChat", true},       // D0 C5 starts at a character
        {"\xA2\xD0", kClass, false},  // the bytes across 微 and 信
        {"", "", true},               // empty texts are contained in non-empty ones
        {"微信 - 李四 ", kClass, false},
        {"微信", "wechatmainwndforpc", false},  // case-sensitive
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findProcessWindow(client.processId(), c.title, c.className), c.found ? window : nullptr)
            << c.title << " / " << c.className;
    }
    // Only the title given, then only the class name.
    EXPECT_EQ(findProcessWindow(client.processId(), Text("\xA2\xD0")), nullptr);
    EXPECT_EQ(findProcessWindow(client.processId(), std::nullopt, Text("ChatMain")), window);
}

TEST(FindProcessWindow, EmptyTitleIsNotFoundInAnEmptyTitle) {
    StandIn client({L"--title", L""});
    ASSERT_TRUE(client.started());
    EXPECT_EQ(getWindowTitleText(client.window()), "");
    EXPECT_EQ(findProcessWindow(client.processId(), Text(""), kClass), nullptr);
    EXPECT_EQ(findProcessWindow(client.processId(), std::nullopt, kClass), client.window());
}

namespace {

int g_delivered = 0;

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++g_delivered;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(FindProcessWindow, OtherMessagesRunDuringTheSearch) {
    StandIn client;
    ASSERT_TRUE(client.started());
    HWND receiver = createTestWindow("FinderTestMessages", countingProc, 0, 0, HWND_MESSAGE);
    ASSERT_TRUE(receiver);
    g_delivered = 0;
    PostMessageA(receiver, WM_APP, 0, 0);
    EXPECT_EQ(findProcessWindow(client.processId(), Text("no such title")), nullptr);
    EXPECT_EQ(g_delivered, 1);
    DestroyWindow(receiver);
}

namespace {

LRESULT CALLBACK vanishingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) DestroyWindow(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(FindProcessWindow, AWindowThatGoesDuringTheSearchDoesNotEndIt) {
    StandIn client;
    ASSERT_TRUE(client.started());
    // A window at the top of the Z order that goes away while the search lets messages run after it.
    HWND vanishing = createTestWindow("FinderTestVanishing", vanishingProc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                                      WS_POPUP, nullptr);
    ASSERT_TRUE(vanishing);
    ShowWindow(vanishing, SW_SHOWNOACTIVATE);
    ASSERT_EQ(FindWindowExA(nullptr, nullptr, nullptr, nullptr), vanishing);
    PostMessageA(vanishing, WM_APP, 0, 0);
    EXPECT_EQ(findProcessWindow(client.processId(), kTitle, kClass), client.window());
    EXPECT_FALSE(IsWindow(vanishing));
}
