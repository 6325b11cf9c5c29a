// The real panel when things around it go wrong: a client that stops answering, a client that closes and
// starts again, a second panel on the same files, the quick reply file taken away. Whatever happens, the
// program keeps running, loses no remark or reply, and follows the client again once it can.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/control_ids.h"
#include "app/panel_process.h"
#include "panel_watch.h"
#include "remarks/gbk_text_codec.h"
#include "remote_controls.h"
#include "sqlite_test_support.h"
#include "standin_control.h"
#include "support/temp_files.h"

namespace id = control_ids;

namespace {

// Waits until a save clicked before has shown its outcome in the status label `status` and hidden it
// again; whether it said "已保存". (The database is read only afterwards: a reader in the middle of a save
// makes it fail.)
bool waitForSave(HWND status, DWORD milliseconds) {
    Text shown;
    const bool seen = waitUntil(
        [&] {
            if (!IsWindowVisible(status)) return false;
            shown = remote::textOf(status);
            return shown == "已保存" || shown == "保存失败";
        },
        milliseconds);
    return seen && waitUntil([&] { return !IsWindowVisible(status); }) && shown == "已保存";
}

class Faults : public PanelFollowTest {
protected:
    // The database file beside the program, in UTF-8 as SQLite takes it.
    std::string database() const {
        return gbkTextCodec().toUtf8(panel.folder() + "\\微信备注.db").value_or("");
    }
    // The stored remark rows, "昵称|备注" one a line, in UTF-8.
    std::string storedRows() const {
        return query(database(), u8"SELECT 昵称, 备注 FROM 信息 ORDER BY rowid");
    }
    Text remarkShown() const { return remote::textOf(control(id::remarkBox)); }
    bool running() const { return panel.waitForExit(0) == STILL_ACTIVE; }
};

TEST_F(Faults, AClientThatDoesNotAnswerHoldsThePanelUpAndLosesNothing) {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    startPanel();
    ASSERT_TRUE(waitForNickname(L"李四")) << nickname();

    for (const int silence : {1000, 10000}) {
        SCOPED_TRACE(silence);
        const Text remark = "沉默时保存 " + std::to_string(silence);
        ASSERT_TRUE(remote::setText(control(id::remarkBox), remark));
        client.command(L"busy " + std::to_wstring(silence));
        Sleep(300);                              // a tick now waits inside a call into the client
        remote::click(control(id::saveButton));  // handled once the panel runs again
        EXPECT_TRUE(waitForSave(control(id::statusLabel), static_cast<DWORD>(silence) + kTickTimeoutMs));
        EXPECT_EQ(storedRows(), u8"李四|" + gbkTextCodec().toUtf8(remark).value_or("") + "\n");
        EXPECT_TRUE(running());

        // Tracking goes on: another chat, and back to the remark saved during the silence.
        client.command(L"chat 王五");
        EXPECT_TRUE(waitForNickname(L"王五")) << nickname();
        EXPECT_EQ(remarkShown(), "");
        client.command(L"chat 李四");
        EXPECT_TRUE(waitForNickname(L"李四")) << nickname();
        EXPECT_EQ(remarkShown(), remark);
    }
}

TEST_F(Faults, AClientThatClosesAndStartsAgainIsFollowedOnceChosenAgain) {
    {
        standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
        ASSERT_TRUE(client.started());
        startPanel();
        ASSERT_TRUE(waitForNickname(L"李四")) << nickname();
        ASSERT_TRUE(remote::setText(control(id::remarkBox), "老朋友"));
        remote::click(control(id::saveButton));
        ASSERT_TRUE(waitForSave(control(id::statusLabel), 5000));
        EXPECT_EQ(storedRows(), u8"李四|老朋友\n");
        EXPECT_TRUE(client.close());
    }
    // The followed window is gone (where the panel then stands, the follow tests show).
    EXPECT_TRUE(waitForNickname(L"NAMELESS")) << nickname();
    EXPECT_TRUE(running());

    // The client starts again: a rescan lists it, and choosing it follows it.
    standin::StandIn again({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(again.started());
    again.command(L"resetcalls");
    doubleClick(control(id::rescanLabel));
    // The drop-down still lists the closed client under the same name until the rescan has run; the rescan
    // is seen reading the new client's account.
    ASSERT_TRUE(waitUntil([&] { return again.callsServed() > 0; }, kTickTimeoutMs)) << "no rescan";
    EXPECT_TRUE(waitForEntries({L"张三"}));
    chooseEntry(control(id::clientCombo), 0);
    EXPECT_TRUE(waitForNickname(L"李四")) << nickname();
    EXPECT_EQ(remarkShown(), "老朋友");
    EXPECT_TRUE(waitDocked(again.window()));
}

TEST_F(Faults, ASecondPanelOnTheSameFilesSeesAndKeepsTheFirstOnesRemarks) {
    // Two panels read the client at once. A level whose children come through an enumerator would hand one
    // panel the other's children now and then (its cursor is shared; a few walks in a hundred then end in
    // NAMELESS), which is not what this test is about.
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四", L"--no-enumerator"});
    ASSERT_TRUE(client.started());
    startPanel();
    ASSERT_TRUE(waitForNickname(L"李四")) << nickname();
    PanelProcess second;
    ASSERT_TRUE(second.startBeside(panel)) << "the second panel did not show its window";
    const auto secondNickname = [&] { return windowTextOf(second.control(id::nicknameBox)); };
    ASSERT_TRUE(waitUntil([&] { return secondNickname() == L"李四"; }, kTickTimeoutMs));

    ASSERT_TRUE(remote::setText(control(id::remarkBox), "第一个面板写的"));
    remote::click(control(id::saveButton));
    ASSERT_TRUE(waitForSave(control(id::statusLabel), 5000));
    EXPECT_EQ(storedRows(), u8"李四|第一个面板写的\n");

    // The second panel shows it on the next change of chat, and its own save updates that row.
    client.command(L"chat 王五");
    ASSERT_TRUE(waitUntil([&] { return secondNickname() == L"王五"; }, kTickTimeoutMs));
    client.command(L"chat 李四");
    ASSERT_TRUE(waitUntil([&] { return secondNickname() == L"李四"; }, kTickTimeoutMs));
    EXPECT_EQ(remote::textOf(second.control(id::remarkBox)), "第一个面板写的");
    ASSERT_TRUE(remote::setText(second.control(id::remarkBox), "第二个面板改的"));
    remote::click(second.control(id::saveButton));
    ASSERT_TRUE(waitForSave(second.control(id::statusLabel), 5000));
    EXPECT_EQ(storedRows(), u8"李四|第二个面板改的\n");

    // And the first panel shows what the second saved.
    client.command(L"chat 王五");
    ASSERT_TRUE(waitForNickname(L"王五"));
    client.command(L"chat 李四");
    ASSERT_TRUE(waitForNickname(L"李四"));
    EXPECT_EQ(remarkShown(), "第二个面板改的");
    EXPECT_TRUE(running());
    EXPECT_EQ(second.waitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
}

TEST_F(Faults, AReplyFileTakenAwayIsWrittenAgainWithEveryReplyOnTheNextChange) {
    ASSERT_TRUE(testfiles::writeBytes(panel.folder() + "\\快捷回复.txt", "第一\r\n第二\r\n"));
    startPanel();
    remote::ListView list(control(id::replyList));
    ASSERT_TRUE(waitUntil([&] { return list.rowCount() == 2; }));

    ASSERT_TRUE(DeleteFileA((panel.folder() + "\\快捷回复.txt").c_str()));
    Sleep(500);
    EXPECT_EQ(list.column(1), TextArray({"第一", "第二"})) << "the list keeps what it showed";
    ASSERT_TRUE(remote::setText(control(id::replyInputBox), "第三"));
    ASSERT_TRUE(remote::clickAndWait(control(id::addButton)));
    EXPECT_EQ(testfiles::readBytes(panel.folder() + "\\快捷回复.txt").value_or("missing"),
              "第一\r\n第二\r\n第三\r\n");
    EXPECT_EQ(list.column(1), TextArray({"第一", "第二", "第三"}));
    EXPECT_TRUE(running());
}

TEST_F(Faults, TwoPanelsAddingRepliesKeepEachOthersReplies) {
    ASSERT_TRUE(testfiles::writeBytes(panel.folder() + "\\快捷回复.txt", "第一\r\n"));
    startPanel();
    PanelProcess second;
    ASSERT_TRUE(second.startBeside(panel)) << "the second panel did not show its window";
    remote::ListView firstList(control(id::replyList));
    remote::ListView secondList(second.control(id::replyList));
    ASSERT_TRUE(waitUntil([&] { return firstList.rowCount() == 1 && secondList.rowCount() == 1; }));

    ASSERT_TRUE(remote::setText(control(id::replyInputBox), "第一个面板加的"));
    ASSERT_TRUE(remote::clickAndWait(control(id::addButton)));
    ASSERT_TRUE(remote::setText(second.control(id::replyInputBox), "第二个面板加的"));
    ASSERT_TRUE(remote::clickAndWait(second.control(id::addButton)));
    EXPECT_EQ(testfiles::readBytes(panel.folder() + "\\快捷回复.txt").value_or("missing"),
              "第一\r\n第一个面板加的\r\n第二个面板加的\r\n");
    EXPECT_EQ(secondList.column(1), TextArray({"第一", "第一个面板加的", "第二个面板加的"}));
    EXPECT_EQ(second.waitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
}

}  // namespace
