// Letting other messages run from inside a handler.
#include "util/message_pump.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

int ticks = 0;
constexpr UINT_PTR kTimer = 7;
constexpr int kGiveUp = 20;

// A timer handler slower than the timer's period: its next message is due as soon as it returns.
void CALLBACK slowTick(HWND window, UINT, UINT_PTR, DWORD) {
    Sleep(30);  // timers run at least 10 ms apart
    if (++ticks == kGiveUp) KillTimer(window, kTimer);  // ends a pass that would otherwise never return
}

TEST(ProcessPendingMessages, EndsAfterOneTickOfATimerSlowerThanItsPeriod) {
    HWND window =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PostMessageA(window, WM_APP, 0, 0));
    SetTimer(window, kTimer, 1, slowTick);
    Sleep(20);
    ticks = 0;
    processPendingMessages();
    EXPECT_EQ(ticks, 1);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_APP, WM_APP, PM_NOREMOVE)) << "what waited was dispatched";
    KillTimer(window, kTimer);
    DestroyWindow(window);
}

}  // namespace
