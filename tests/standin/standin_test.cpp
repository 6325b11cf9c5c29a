// The stand-in chat client as the panel sees it from another process: its window object and paths, read
// with plain oleacc calls, its command channel, and the log of its input box.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "standin_control.h"
#include "standin_reader.h"

using Microsoft::WRL::ComPtr;
using standin::childAt;
using standin::Element;
using standin::kAccountPath;
using standin::kChatPath;
using standin::nameBelowClient;
using standin::StandIn;
using standin::windowObject;

namespace {

class ComScope {
public:
    ComScope() { CoInitialize(nullptr); }
    ~ComScope() { CoUninitialize(); }
};

}  // namespace

TEST(StandInTree, WindowObjectHasTheSevenChildrenOfAStandardWindowObject) {
    ComScope com;
    StandIn client;
    ASSERT_TRUE(client.started());
    ComPtr<IAccessible> window = windowObject(client.window());
    ASSERT_TRUE(window);
    HWND found = nullptr;
    EXPECT_EQ(WindowFromAccessibleObject(window.Get(), &found), S_OK);
    EXPECT_EQ(found, client.window());

    long count = 0;
    ASSERT_EQ(window->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, 7);
    const long roles[] = {ROLE_SYSTEM_MENUBAR, ROLE_SYSTEM_TITLEBAR,  ROLE_SYSTEM_MENUBAR,
                          ROLE_SYSTEM_CLIENT,  ROLE_SYSTEM_SCROLLBAR, ROLE_SYSTEM_SCROLLBAR,
                          ROLE_SYSTEM_GRIP};
    for (long i = 1; i <= 7; ++i) {
        std::optional<Element> child = childAt(Element{window}, i);
        ASSERT_TRUE(child) << i;
        EXPECT_EQ(child->childId, 0) << "full objects, as Windows gives them: " << i;
        EXPECT_EQ(standin::roleOf(*child), roles[i - 1]) << i;
        const long state = standin::stateOf(*child);
        if (i == 4) {
            EXPECT_EQ(state, 0) << "the client area";
        } else {
            EXPECT_NE(state, 0) << "only the client area has the normal state: " << i;
        }
    }
}

TEST(StandInTree, PathsBelowTheClientAreaFollowAccountAndChat) {
    ComScope com;
    StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    EXPECT_EQ(nameBelowClient(client.window(), kAccountPath), L"张三");
    EXPECT_EQ(nameBelowClient(client.window(), kChatPath), L"李四");

    EXPECT_EQ(client.command(L"chat 王五"), 1);
    EXPECT_EQ(nameBelowClient(client.window(), kChatPath), L"王五");
    EXPECT_EQ(client.command(L"account 韩梅梅"), 1);
    EXPECT_EQ(nameBelowClient(client.window(), kAccountPath), L"韩梅梅");

    // No chat open: the chat area holds a placeholder without children, so the path stops there.
    EXPECT_EQ(client.command(L"nochat"), 1);
    EXPECT_EQ(nameBelowClient(client.window(), kChatPath), std::nullopt);
    EXPECT_EQ(nameBelowClient(client.window(), kAccountPath), L"韩梅梅");
}

TEST(StandInTree, NoChatAtStartAndNeighboursHoldOtherNames) {
    ComScope com;
    StandIn client({L"--account", L"张三"});
    ASSERT_TRUE(client.started());
    EXPECT_EQ(nameBelowClient(client.window(), kChatPath), std::nullopt);
    client.command(L"chat 李四");
    // A path one step off lands on another element, never on the friend's name.
    std::vector<long> offByOne = kChatPath;
    offByOne.back() = 2;
    EXPECT_EQ(nameBelowClient(client.window(), offByOne), L"聊天信息");
    EXPECT_EQ(nameBelowClient(client.window(), {1, 2, 2, 1, 1}), L"赵六");
}

TEST(StandInControl, CountsTheAccessibilityCallsItServes) {
    ComScope com;
    StandIn client;
    ASSERT_TRUE(client.started());
    ComPtr<IAccessible> window = windowObject(client.window());
    ASSERT_TRUE(window);
    EXPECT_EQ(client.command(L"resetcalls"), 1);
    EXPECT_EQ(client.callsServed(), 0);
    standin::nameOf(Element{window});
    EXPECT_EQ(client.callsServed(), 1);
}

// The panel's benchmark reads growth in these counts as references that the panel leaks, so the stand-in
// itself must free what it drops: the objects of a chat that is closed or replaced, and the references
// that a reader in another process held and gave back.
TEST(StandInControl, CountsItsLiveObjectsAndFreesWhatItDrops) {
    StandIn client({L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    const LRESULT objects = client.command(L"objects");
    const LRESULT references = client.command(L"refs");
    EXPECT_GT(objects, 10);
    EXPECT_EQ(references, objects) << "one reference each, held by the tree";
    EXPECT_EQ(client.command(L"chat 王五"), 1);
    EXPECT_EQ(client.command(L"objects"), objects) << "one chat in place of the other";
    EXPECT_EQ(client.command(L"nochat"), 1);
    EXPECT_LT(client.command(L"objects"), objects) << "no chat open";
    EXPECT_EQ(client.command(L"chat 李四"), 1);
    EXPECT_EQ(client.command(L"objects"), objects);
    {
        ComScope com;
        ComPtr<IAccessible> window = windowObject(client.window());
        ASSERT_TRUE(window);
        EXPECT_GT(client.command(L"refs"), references) << "held from here";
    }
    LRESULT left = 0;
    for (int wait = 0; wait < 100 && (left = client.command(L"refs")) != references; ++wait) Sleep(20);
    EXPECT_EQ(left, references) << "given back";
}

TEST(StandInControl, BusyClientDoesNotAnswerForAWhile) {
    StandIn client;
    ASSERT_TRUE(client.started());
    EXPECT_EQ(client.command(L"busy 1500"), 1);
    // It falls asleep once it takes the posted message that starts the silence; a message sent now could
    // overtake that and still be answered.
    Sleep(300);
    DWORD_PTR reply = 0;
    EXPECT_EQ(SendMessageTimeoutW(client.window(), WM_NULL, 0, 0, SMTO_NORMAL, 200, &reply), 0);
    EXPECT_EQ(client.command(L"calls", 10000), 0) << "answers again once awake";
}

TEST(StandInControl, HideShowTitleAndClose) {
    StandIn client({L"--hidden"});
    ASSERT_TRUE(client.started());
    EXPECT_FALSE(IsWindowVisible(client.window()));
    EXPECT_EQ(client.command(L"show"), 1);
    EXPECT_TRUE(IsWindowVisible(client.window()));
    EXPECT_EQ(client.command(L"hide"), 1);
    EXPECT_FALSE(IsWindowVisible(client.window()));
    EXPECT_EQ(client.command(L"title 微信测试"), 1);
    wchar_t title[32] = {};
    GetWindowTextW(client.window(), title, 32);
    EXPECT_STREQ(title, L"微信测试");
    EXPECT_EQ(client.command(L"no such command"), 0);

    EXPECT_EQ(client.command(L"close"), 1);
    ASSERT_EQ(WaitForSingleObject(client.process(), 5000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(client.process(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

namespace {

bool putOnClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!placed) GlobalFree(memory);
    CloseClipboard();
    return placed;
}

}  // namespace

TEST(StandInInputBox, LogsKeysAndTheSentTextInOrder) {
    StandIn client;
    ASSERT_TRUE(client.started());
    SetForegroundWindow(client.window());
    ASSERT_TRUE(standin::waitForForeground(client.window()));
    const ULONGLONG before = GetTickCount64();
    standin::pressKey('A');
    standin::pressKey('B');
    standin::pressKey(VK_RETURN);
    ASSERT_TRUE(client.waitForEvent(L"keyup 0D"));
    const std::vector<std::wstring> expected = {L"keydown 41", L"char 0061", L"keyup 41",   L"keydown 42",
                                                L"char 0062",  L"keyup 42",  L"keydown 0D", L"send ab",
                                                L"char 000D",  L"keyup 0D"};
    EXPECT_EQ(client.events(), expected);
    const std::vector<standin::LogEntry> log = client.log();
    ASSERT_FALSE(log.empty());
    EXPECT_GE(log.front().ms, before);
    EXPECT_LE(log.back().ms, GetTickCount64());
    for (std::size_t i = 1; i < log.size(); ++i) EXPECT_LE(log[i - 1].ms, log[i].ms);
}

TEST(StandInInputBox, LogsAPastedTextAndSendsIt) {
    StandIn client;
    ASSERT_TRUE(client.started());
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(putOnClipboard(owner, L"你好\\\r\n世界"));
    SetForegroundWindow(client.window());
    ASSERT_TRUE(standin::waitForForeground(client.window()));
    keybd_event(VK_CONTROL, 0, 0, 0);
    standin::pressKey('V');
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    standin::pressKey(VK_RETURN);
    ASSERT_TRUE(client.waitForEvent(L"keyup 0D"));
    std::vector<std::wstring> texts;
    for (const std::wstring& event : client.events()) {
        if (event.rfind(L"paste ", 0) == 0 || event.rfind(L"send ", 0) == 0) texts.push_back(event);
    }
    const std::vector<std::wstring> expected = {L"paste 你好\\\r\n世界", L"send 你好\\\r\n世界"};
    EXPECT_EQ(texts, expected);
    DestroyWindow(owner);
}
