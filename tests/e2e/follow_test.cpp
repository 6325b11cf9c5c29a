// The real panel following stand-in chat clients: the instance list, the open chat in the nickname box,
// docking beside the followed window and staying above it while it is in front.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/panel_process.h"
#include "panel_watch.h"
#include "standin_control.h"

namespace id = control_ids;

namespace {

using FollowTest = PanelFollowTest;

TEST_F(FollowTest, WithoutClientsNothingIsFollowed) {
    startPanel();
    HWND combo = control(id::clientCombo);
    EXPECT_TRUE(entriesOf(combo).empty());
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    // The timer never ticks: nothing is written into the nickname box and the panel is not moved.
    const RECT created = rectOf(panel.window());
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1500) {
        ASSERT_EQ(nickname(), L"");
        const RECT now = rectOf(panel.window());
        ASSERT_TRUE(EqualRect(&created, &now));
        Sleep(50);
    }
}

TEST_F(FollowTest, FollowsTheFirstInstanceThenTheChosenOneAcrossRescans) {
    standin::StandIn first({L"--account", L"张三", L"--chat", L"李四"});
    standin::StandIn second({L"--account", L"王五", L"--chat", L"钱八"});
    ASSERT_TRUE(first.started() && second.started());
    startPanel();
    HWND combo = control(id::clientCombo);

    EXPECT_TRUE(waitForEntries({L"张三", L"王五"}));
    EXPECT_TRUE(standin::waitForForeground(first.window(), kTickTimeoutMs)) << "activated at start-up";
    EXPECT_TRUE(waitForNickname(L"李四")) << nickname();
    EXPECT_TRUE(waitDocked(first.window()));

    chooseEntry(combo, 1);
    EXPECT_TRUE(standin::waitForForeground(second.window(), 3000));
    EXPECT_TRUE(waitForNickname(L"钱八")) << nickname();
    EXPECT_TRUE(waitDocked(second.window()));

    // A rescan shows the first entry, as it reads now, but the chosen instance stays followed.
    first.command(L"account 周九");
    doubleClick(control(id::rescanLabel));
    EXPECT_TRUE(waitForEntries({L"周九", L"王五"}));
    second.command(L"chat 吴十");
    EXPECT_TRUE(waitForNickname(L"吴十")) << nickname();
    EXPECT_TRUE(passTicks(panel.window(), second.window(), Side::Right, 2));
    EXPECT_EQ(nickname(), L"吴十");

    // Until the user chooses.
    chooseEntry(combo, 0);
    EXPECT_TRUE(standin::waitForForeground(first.window(), 3000));
    EXPECT_TRUE(waitForNickname(L"李四")) << nickname();
    EXPECT_TRUE(waitDocked(first.window()));
}

TEST_F(FollowTest, NicknameBoxFollowsTheOpenChatAndIsWrittenOnlyWhenItChanges) {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    startPanel();
    HWND box = control(id::nicknameBox);
    ASSERT_TRUE(waitForNickname(L"李四")) << nickname();

    // Writing the box resets its modified flag; the flag set here survives ticks that leave the box alone.
    SendMessageW(box, EM_SETMODIFY, TRUE, 0);
    ASSERT_TRUE(passTicks(panel.window(), client.window(), Side::Right, 3));
    EXPECT_TRUE(SendMessageW(box, EM_GETMODIFY, 0, 0)) << "the same chat rewrote the box";
    EXPECT_EQ(nickname(), L"李四");

    const struct {
        const wchar_t* command;
        const wchar_t* shown;
    } steps[] = {
        {L"chat 王五", L"王五"},
        {L"nochat", L"NAMELESS"},
        {L"chat lisi", L"lisi"},
        {L"chat LISI", L"LISI"},  // names that differ only in case are different names
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.command);
        ASSERT_EQ(client.command(step.command), 1);
        EXPECT_TRUE(waitForNickname(step.shown)) << nickname();
        EXPECT_FALSE(SendMessageW(box, EM_GETMODIFY, 0, 0)) << "the box was written";
    }

    // Typed over, the box gets the friend's name back.
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_TRUE(waitForNickname(L"LISI")) << nickname();
}

TEST_F(FollowTest, ClosedClientGivesNamelessAndTheCornerOfTheScreen) {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    startPanel();
    ASSERT_TRUE(waitForNickname(L"李四")) << nickname();
    ASSERT_TRUE(client.close());
    EXPECT_TRUE(waitForNickname(L"NAMELESS")) << nickname();
    // Docked beside a window of no size at 0, 0: asked for the height 1, a window with a title bar gets the
    // least height the system allows.
    const int leastHeight = GetSystemMetrics(SM_CYMINTRACK);
    RECT r{};
    EXPECT_TRUE(waitUntil(
        [&] {
            r = rectOf(panel.window());
            return r.left == -1 && r.top == 0 && r.bottom - r.top == leastHeight && r.right - r.left == 348;
        },
        kTickTimeoutMs))
        << r.left << ", " << r.top << ", " << r.right - r.left << " x " << r.bottom - r.top;
}

TEST_F(FollowTest, DocksOnTheChosenSideWhereverTheClientGoes) {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    startPanel();
    HWND window = client.window();
    EXPECT_TRUE(waitDocked(window, Side::Right));

    // Moved and resized: the panel takes the new top and height, and keeps its width.
    ASSERT_TRUE(SetWindowPos(window, nullptr, 420, 130, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_TRUE(waitDocked(window, Side::Right));

    // 单选框_左 checked by a program leaves 单选框_右 checked; docking on the left unchecks it.
    HWND dockLeft = control(id::dockLeftRadio);
    HWND dockRight = control(id::dockRightRadio);
    SendMessageW(dockLeft, BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_EQ(SendMessageW(dockRight, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(waitDocked(window, Side::Left));
    EXPECT_TRUE(waitUntil([&] { return SendMessageW(dockRight, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    ASSERT_TRUE(SetWindowPos(window, nullptr, 500, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_TRUE(waitDocked(window, Side::Left));

    // The user clicks 右侧吸附: back on the right.
    SendMessageW(dockRight, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(dockLeft, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(waitDocked(window, Side::Right));
}

TEST_F(FollowTest, StaysAboveTheClientExactlyWhileItIsInFront) {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    startPanel();
    HWND front = panel.window();
    ASSERT_TRUE(standin::waitForForeground(client.window(), kTickTimeoutMs));
    EXPECT_TRUE(waitUntil([&] { return isTopmost(front); }, kTickTimeoutMs));

    ForegroundWindow other;
    ASSERT_TRUE(other.bringToFront());
    EXPECT_TRUE(waitUntil([&] { return !isTopmost(front); }, kTickTimeoutMs));
    EXPECT_TRUE(passTicks(front, client.window(), Side::Right, 2));
    EXPECT_FALSE(isTopmost(front));

    SetForegroundWindow(client.window());
    ASSERT_TRUE(standin::waitForForeground(client.window(), 3000));
    EXPECT_TRUE(waitUntil([&] { return isTopmost(front); }, kTickTimeoutMs));

    // The panel itself in front is not the client in front.
    SetForegroundWindow(front);
    ASSERT_TRUE(standin::waitForForeground(front, 3000));
    EXPECT_TRUE(waitUntil([&] { return !isTopmost(front); }, kTickTimeoutMs));
}

}  // namespace
