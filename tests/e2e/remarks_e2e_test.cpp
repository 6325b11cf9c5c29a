// The friend remarks through the real program: marrowpad.exe started in a folder of its own, its nickname
// box, remark box and save button driven from this process, and its database file read back with SQLite.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "app/control_ids.h"
#include "panel_process.h"
#include "remarks/gbk_text_codec.h"
#include "remote_controls.h"
#include "sqlite_test_support.h"
#include "support/temp_files.h"

namespace id = control_ids;

namespace {

// What a save shows in the status label while it waits.
struct StatusSeen {
    bool shownWithText = false;  // visible with the expected text at some moment
    bool hiddenAfter = false;    // hidden again once the wait was over
    DWORD shownMilliseconds = 0;
};

class RemarksThroughThePanel : public ::testing::Test {
protected:
    void SetUp() override {
        prepareFolder();
        ASSERT_TRUE(panel.start()) << "marrowpad.exe did not show its window";
    }
    // What the program's folder holds before it starts: nothing but the program.
    virtual void prepareFolder() {}

    HWND control(int controlId) const { return panel.control(controlId); }
    // The database file beside the program, in UTF-8 as SQLite takes it.
    std::string database() const {
        return gbkTextCodec().toUtf8(panel.folder() + "\\微信备注.db").value_or("");
    }
    std::string storedRows() const {
        return query(database(), u8"SELECT 昵称, 备注 FROM 信息 ORDER BY rowid");
    }

    void showFriend(const Text& nickname) {
        ASSERT_TRUE(remote::setText(control(id::nicknameBox), nickname));
    }
    Text remarkShown() const { return remote::textOf(control(id::remarkBox)); }

    // Clicks 保存 and watches the status label until the save's wait is over.
    StatusSeen save(const Text& expectedStatus) {
        HWND status = control(id::statusLabel);
        StatusSeen seen;
        remote::click(control(id::saveButton));
        const DWORD start = GetTickCount();
        DWORD firstShown = 0;
        while (GetTickCount() - start < 3000) {
            const bool visible = IsWindowVisible(status) != FALSE;
            if (visible && remote::textOf(status) == expectedStatus && !seen.shownWithText) {
                seen.shownWithText = true;
                firstShown = GetTickCount();
            }
            if (seen.shownWithText && !visible) {
                seen.hiddenAfter = true;
                seen.shownMilliseconds = GetTickCount() - firstShown;
                break;
            }
            Sleep(5);
        }
        return seen;
    }

    PanelProcess panel;
};

TEST_F(RemarksThroughThePanel, FirstStartCreatesTheDatabaseWithItsTableAndAnEmptyReplyFile) {
    TextArray expected = {"marrowpad.exe", "微信备注.db", "快捷回复.txt"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(testfiles::folderEntries(panel.folder()), expected);
    EXPECT_EQ(query(database(), "SELECT type, name, sql FROM sqlite_master"),
              u8"table|信息|CREATE TABLE 信息 (昵称 TEXT, 备注 TEXT)\n");
    EXPECT_EQ(storedRows(), "");
    EXPECT_EQ(testfiles::readBytes(panel.folder() + "\\快捷回复.txt"), Text());

    HWND status = control(id::statusLabel);
    EXPECT_EQ(remote::textOf(status), "");
    EXPECT_TRUE(IsWindowVisible(status));

    // With no rows at all a nickname leaves the remark box as it is.
    ASSERT_TRUE(remote::setText(control(id::remarkBox), "草稿"));
    showFriend("好友甲");
    EXPECT_EQ(remarkShown(), "草稿");
}

TEST_F(RemarksThroughThePanel, SavedRemarksAreShownForTheirNickname) {
    showFriend("好友甲");
    ASSERT_TRUE(remote::setText(control(id::remarkBox), "老同学（大学）\r\n第二行"));
    const StatusSeen first = save("已保存");
    EXPECT_TRUE(first.shownWithText) << "已保存 was not shown";
    EXPECT_TRUE(first.hiddenAfter) << "the status label stayed";
    // The save waits 300 ms with the status showing; seen from here, through polling, a good part of that.
    EXPECT_GE(first.shownMilliseconds, 150u) << "the status was not shown for the save's wait";
    EXPECT_EQ(storedRows(), u8"好友甲|老同学（大学）\r\n第二行\n");

    showFriend("Bob");
    ASSERT_TRUE(remote::setText(control(id::remarkBox), ""));
    EXPECT_TRUE(save("已保存").shownWithText);
    EXPECT_EQ(storedRows(), u8"好友甲|老同学（大学）\r\n第二行\nBob|\n") << "an empty remark is a row too";
    EXPECT_EQ(query(database(), u8"SELECT count(*) FROM 信息 WHERE 备注 IS NULL"), "0\n");

    // A nickname no row has empties the remark box; letter case makes another nickname.
    showFriend("bob");
    EXPECT_EQ(remarkShown(), "");
    showFriend("好友甲");
    EXPECT_EQ(remarkShown(), "老同学（大学）\r\n第二行");
    showFriend("Bob");
    EXPECT_EQ(remarkShown(), "");

    // Typed by the user, one character at a time: each change looks the name up.
    showFriend("");
    for (char typed : std::string("Bo")) PostMessageA(control(id::nicknameBox), WM_CHAR, typed, 1);
    ASSERT_TRUE(waitUntil([&] { return remote::textOf(control(id::nicknameBox)) == "Bo"; }));
    ASSERT_TRUE(remote::setText(control(id::remarkBox), "不是Bob的"));
    PostMessageA(control(id::nicknameBox), WM_CHAR, 'b', 1);
    ASSERT_TRUE(waitUntil([&] { return remote::textOf(control(id::nicknameBox)) == "Bob"; }));
    EXPECT_EQ(remarkShown(), "");

    // Saving again updates the row of that nickname.
    showFriend("好友甲");
    ASSERT_TRUE(remote::setText(control(id::remarkBox), "改过的备注"));
    EXPECT_TRUE(save("已保存").shownWithText);
    EXPECT_EQ(storedRows(), u8"好友甲|改过的备注\nBob|\n");
}

TEST_F(RemarksThroughThePanel, SaveAgainstALockedDatabaseFailsVisiblyAndChangesNothing) {
    showFriend("好友甲");
    ASSERT_TRUE(remote::setText(control(id::remarkBox), "第一版"));
    ASSERT_TRUE(save("已保存").shownWithText);
    {
        // Another program is writing: a save meets its lock at once.
        HeldLock lock(database(), "BEGIN IMMEDIATE");
        ASSERT_TRUE(lock.held());
        ASSERT_TRUE(remote::setText(control(id::remarkBox), "第二版"));
        const StatusSeen failed = save("保存失败");
        EXPECT_TRUE(failed.shownWithText) << "保存失败 was not shown";
        EXPECT_TRUE(failed.hiddenAfter);
        EXPECT_GE(failed.shownMilliseconds, 150u);
        showFriend("好友乙");
        ASSERT_TRUE(remote::setText(control(id::remarkBox), "新朋友"));
        EXPECT_TRUE(save("保存失败").shownWithText) << "a new row fails the same way";
    }
    EXPECT_EQ(storedRows(), u8"好友甲|第一版\n");
    showFriend("好友甲");
    EXPECT_EQ(remarkShown(), "第一版");

    // Once the lock is gone the next save goes through.
    ASSERT_TRUE(remote::setText(control(id::remarkBox), "第二版"));
    EXPECT_TRUE(save("已保存").shownWithText);
    EXPECT_EQ(storedRows(), u8"好友甲|第二版\n");
}

// A file of that name that is not a database: every save fails visibly, and the file stays as it was.
class RemarksOverAFileThatIsNoDatabase : public RemarksThroughThePanel {
protected:
    void prepareFolder() override { ASSERT_TRUE(testfiles::writeBytes(databaseFile(), kNotADatabase)); }
    Text databaseFile() const { return panel.folder() + "\\微信备注.db"; }
    static constexpr const char* kNotADatabase = "这不是数据库 / not a database\r\n";
};

TEST_F(RemarksOverAFileThatIsNoDatabase, SavesFailAndTheFileIsLeftAlone) {
    ASSERT_TRUE(remote::setText(control(id::remarkBox), "草稿"));
    showFriend("好友甲");
    EXPECT_EQ(remarkShown(), "草稿") << "no rows to look in";
    const StatusSeen failed = save("保存失败");
    EXPECT_TRUE(failed.shownWithText) << "保存失败 was not shown";
    EXPECT_TRUE(failed.hiddenAfter);
    EXPECT_EQ(panel.waitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "the program ended";
    EXPECT_EQ(testfiles::readBytes(databaseFile()), Text(kNotADatabase));
}

}  // namespace
