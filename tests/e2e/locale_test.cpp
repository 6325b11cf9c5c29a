// The real panel on a system whose ANSI code page is not 936. CTest starts this program under other
// locales (C.UTF-8 for code page 1252, zh_TW.UTF-8 for 950); Wine takes each process's code page, and with
// it the texts of accessibility roles and states, from the locale it starts under, and the panel and the
// stand-in started from here inherit it. The panel's texts, files and values must not depend on it.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <string>

#include "app/control_ids.h"
#include "panel_watch.h"
#include "remarks/gbk_text_codec.h"
#include "remote_controls.h"
#include "screen_capture.h"
#include "sqlite_test_support.h"
#include "standin_control.h"
#include "support/temp_files.h"
#include "util/codepage.h"

namespace id = control_ids;

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

// Every text the panel shows, reads and keeps is Chinese here too: its labels, the friend's name read from
// the client, the remark in the user's existing database, the quick reply in the user's existing file and
// the reply pasted into the chat; and it makes no file of another name beside them.
class WholePanelTest : public PanelFollowTest {
protected:
    void showsEverythingInChinese(UINT panelCodePage);
};

void WholePanelTest::showsEverythingInChinese(UINT panelCodePage) {
    ASSERT_NE(GetACP(), 936u);
    const Text folder = panel.folder();
    const std::string database = gbkTextCodec().toUtf8(folder + "\\微信备注.db").value_or("");
    ASSERT_TRUE(runSql(database,
                       u8"CREATE TABLE 信息 (昵称 TEXT, 备注 TEXT);"
                       u8"INSERT INTO 信息 VALUES ('李四', '老同学（大学）');")
                    .ok);
    ASSERT_TRUE(testfiles::writeBytes(folder + "\\快捷回复.txt", "你好，马上到\r\n"));

    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    if (panelCodePage == CP_UTF8) {
        ASSERT_TRUE(panel.startWithUtf8CodePage()) << "marrowpad.exe did not show its window";
    } else {
        startPanel();
    }

    const struct {
        int control;
        Text text;
    } labels[] = {
        {id::clientLabel, "当前微信："},   {id::rescanLabel, "←←多开可切换"},
        {id::friendLabel, "好友微信："},   {id::refreshHintLabel, "点击↑↑刷新微信"},
        {id::dockLeftRadio, "左侧吸附"},   {id::remarkHintLabel, "信息需要自己手动备注,记得[保存]噢"},
        {id::dockRightRadio, "右侧吸附"},  {id::saveButton, "保存"},
        {id::quickReplyGroup, "快捷回复"}, {id::addButton, "新增"}};
    for (const auto& label : labels) EXPECT_EQ(remote::textOf(control(label.control)), label.text);

    EXPECT_TRUE(waitForEntries({L"张三"}));
    EXPECT_TRUE(waitForNickname(L"李四"));
    HWND remarkBox = control(id::remarkBox);
    EXPECT_TRUE(waitUntil([&] { return remote::textOf(remarkBox) == "老同学（大学）"; }))
        << "the remark stored for 李四 was not found";

    ASSERT_TRUE(remote::setText(remarkBox, "老同学，住在北京"));
    remote::click(control(id::saveButton));
    EXPECT_TRUE(waitUntil([&] {
        // Read as another client: while the panel writes, the file may be busy for a moment.
        return runSql(database, u8"SELECT 昵称, 备注 FROM 信息").rows == u8"李四|老同学，住在北京\n";
    })) << "the remark was not saved as Chinese";

    remote::ListView list(control(id::replyList));
    ASSERT_TRUE(waitUntil([&] { return list.column(1) == TextArray{"你好，马上到"}; }));
    list.doubleClick(list.rowCentre(0));
    EXPECT_TRUE(client.waitForEvent(L"send 你好，马上到", kTickTimeoutMs))
        << "the reply did not arrive as Chinese";

    EXPECT_EQ(testfiles::folderEntries(folder), (TextArray{"marrowpad.exe", "快捷回复.txt", "微信备注.db"}));

    // A picture of the panel to look at: the build keeps it beside this test program.
    RECT area{};
    GetWindowRect(panel.window(), &area);
    const ScreenCapture capture = ScreenCapture::of(area);
    EXPECT_TRUE(capture.saveBmp(testProgramFolder() + "\\panel-cp" + std::to_string(panelCodePage) + ".bmp"));
}

TEST_F(WholePanelTest, OnThisSystemsCodePage) {
    showsEverythingInChinese(GetACP());
}

TEST_F(WholePanelTest, WithTheUtf8CodePage) {
    showsEverythingInChinese(CP_UTF8);
}

// A program kept in a folder whose name GBK cannot hold, as a German user's "C:\\Users\\Jörg" is: its two
// files still appear beside it, and nowhere else.
TEST(ProgramFolder, ANameOutsideGbkStillHoldsTheFiles) {
    PanelProcess panel;
    ASSERT_TRUE(panel.startInFolder(L"J\u00F6rg")) << "marrowpad.exe did not show its window";
    const std::wstring folder = toWide(panel.folder()) + L"\\J\u00F6rg\\";
    for (const Text& name : {Text("微信备注.db"), Text("快捷回复.txt")}) {
        EXPECT_NE(GetFileAttributesW((folder + toWide(name)).c_str()), INVALID_FILE_ATTRIBUTES) << name;
    }
    EXPECT_EQ(testfiles::folderEntries(panel.folder()).size(), 1u) << "only the program's folder";
}

}  // namespace
