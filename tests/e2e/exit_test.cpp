// Closing the real panel while it follows a client, again and again: each run ends with exit code 0, and
// right after it another program can have the remark database to itself. Every other close comes while the
// client is busy, so that the panel's release of the client's objects at its exit waits for the client
// while the tracking timer would be due.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/control_ids.h"
#include "app/panel_process.h"
#include "panel_watch.h"
#include "remarks/remark_store.h"
#include "standin_control.h"
#include "support/temp_files.h"
#include "util/codepage.h"

namespace {

constexpr int kCycles = 20;

TEST(ExitTest, ClosingWhileFollowingEndsCleanlyEveryTime) {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        PanelProcess panel;
        ASSERT_TRUE(panel.start()) << "marrowpad.exe did not show its window";
        HWND nicknameBox = panel.control(control_ids::nicknameBox);
        ASSERT_TRUE(waitUntil([&] { return windowTextOf(nicknameBox) == L"李四"; }, kTickTimeoutMs));
        ASSERT_TRUE(passTicks(panel.window(), client.window(), Side::Right, 2));
        const Text database = panel.folder() + kRemarkFileName;
        ASSERT_FALSE(testfiles::openExclusively(database)) << "the running panel has its database open";

        const bool busyClient = cycle % 2 == 0;
        if (busyClient) {
            ASSERT_EQ(client.command(L"busy 300"), 1);
        }
        ASSERT_TRUE(PostMessageW(panel.window(), WM_CLOSE, 0, 0));
        EXPECT_EQ(panel.waitForExit(kTickTimeoutMs), 0u) << (busyClient ? "client busy" : "client idle");
        EXPECT_TRUE(testfiles::openExclusively(database)) << "the database is still open";
        // Awake again before the next run.
        ASSERT_GE(client.command(L"calls"), 0);
    }
}

}  // namespace
