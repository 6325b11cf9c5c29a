// The real panel following a stand-in chat client on a system whose texts are not Chinese. CTest starts
// this program under the C.UTF-8 locale; Wine takes each process's ANSI code page, and with it the texts
// of accessibility roles and states, from the locale it starts under, and the panel and the stand-in
// started from here inherit it.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include "app/control_ids.h"
#include "panel_watch.h"
#include "standin_control.h"

namespace {

using LocaleTest = PanelFollowTest;

TEST_F(LocaleTest, FollowsTheChatWhereTheSystemTextsAreNotChinese) {
    // The client role is not "客户端" here, so the paths as written for Chinese Windows find nothing.
    char role[64] = {};
    GetRoleTextA(ROLE_SYSTEM_CLIENT, role, sizeof role);
    ASSERT_NE(GetACP(), 936u);
    ASSERT_STRNE(role, "\xBF\xCD\xBB\xA7\xB6\xCB");  // 客户端

    standin::StandIn client({L"--account", L"Zhang San", L"--chat", L"Li Si"});
    ASSERT_TRUE(client.started());
    ASSERT_EQ(static_cast<UINT>(client.command(L"acp")), GetACP()) << "the stand-in runs under this locale";
    startPanel();

    EXPECT_TRUE(waitForEntries({L"Zhang San"}));
    EXPECT_TRUE(standin::waitForForeground(client.window(), kTickTimeoutMs)) << "activated at start-up";
    EXPECT_TRUE(waitForNickname(L"Li Si"));
    client.command(L"chat Wang Wu");
    EXPECT_TRUE(waitForNickname(L"Wang Wu"));
    EXPECT_TRUE(waitDocked(client.window()));
}

}  // namespace
