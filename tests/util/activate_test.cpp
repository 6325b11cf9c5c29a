// activateWindow on stand-in chat client windows of other processes.
#include "util/activate.h"

#include <gtest/gtest.h>

#include "standin_control.h"

using standin::StandIn;

namespace {

bool isAttachedTo(HWND window) {
    // Detaching fails when the threads were not attached; re-attach when they were.
    const DWORD owner = GetWindowThreadProcessId(window, nullptr);
    if (!AttachThreadInput(owner, GetCurrentThreadId(), FALSE)) return false;
    AttachThreadInput(owner, GetCurrentThreadId(), TRUE);
    return true;
}

}  // namespace

TEST(ActivateWindow, BringsTheWindowToTheFrontAndDetachesAgain) {
    StandIn first;
    StandIn second;
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(second.started());
    for (const StandIn* client : {&first, &second, &first}) {
        activateWindow(client->window());
        EXPECT_TRUE(standin::waitForForeground(client->window()));
        EXPECT_FALSE(isAttachedTo(client->window()));
    }
}

TEST(ActivateWindow, StaysInFrontActivatedOverAndOverBesideAWindowOfOurOwn) {
    // The panel has a window of its own on screen, and the panel's ticks run after each activation.
    HWND own = CreateWindowExA(0, "STATIC", "panel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 900, 100, 348, 700,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    StandIn first;
    StandIn second;
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(second.started());
    int lost = 0;
    for (int round = 0; round < 60; ++round) {
        HWND target = (round % 2 ? first : second).window();
        activateWindow(target);
        // What settles afterwards: the focus events of the activation, handled while messages run.
        for (int slice = 0; slice < 5; ++slice) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            Sleep(20);
        }
        if (GetForegroundWindow() != target) ++lost;
    }
    EXPECT_EQ(lost, 0) << "activations that did not leave the window in front";
    DestroyWindow(own);
}

TEST(ActivateWindow, KeysSynthesizedRightAfterReachTheActivatedWindow) {
    StandIn first;
    StandIn second;
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(second.started());
    SetForegroundWindow(second.window());
    ASSERT_TRUE(standin::waitForForeground(second.window()));

    activateWindow(first.window());
    standin::pressKey('X');
    standin::pressKey(VK_RETURN);
    EXPECT_TRUE(first.waitForEvent(L"send x"));
    EXPECT_TRUE(second.events().empty());
}

TEST(ActivateWindow, NoWindowOrAGoneOneLeavesTheFrontAsItWas) {
    StandIn client;
    StandIn closed({L"--hidden"});
    ASSERT_TRUE(client.started());
    ASSERT_TRUE(closed.started());
    const HWND gone = closed.window();
    closed.close();
    SetForegroundWindow(client.window());
    ASSERT_TRUE(standin::waitForForeground(client.window()));

    activateWindow(nullptr);
    activateWindow(gone);
    Sleep(100);
    EXPECT_EQ(GetForegroundWindow(), client.window());
}
