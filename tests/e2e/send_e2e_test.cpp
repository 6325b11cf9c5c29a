// Sending a quick reply through the real program into the chat client it follows: the stand-in WeChat.exe
// runs before marrowpad.exe starts, so the program's set-up picks it as the client, and a double-click on a
// row of the program's list must arrive in the stand-in's input box as Ctrl+V and Enter.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "panel_process.h"
#include "remote_controls.h"
#include "replies/send.h"
#include "standin_control.h"
#include "support/temp_files.h"
#include "util/handles.h"

namespace id = control_ids;

namespace {

// The key events of one send, as the stand-in's input box logs them.
const std::vector<std::wstring> kSendKeys = {L"keydown 11", L"keydown 56", L"keyup 11",
                                             L"keyup 56",   L"keydown 0D", L"keyup 0D"};

bool isKeyEvent(const std::wstring& event) {
    return event.rfind(L"keydown ", 0) == 0 || event.rfind(L"keyup ", 0) == 0;
}

std::vector<std::wstring> keyEvents(const std::vector<std::wstring>& events) {
    std::vector<std::wstring> keys;
    for (const std::wstring& event : events) {
        if (isKeyEvent(event)) keys.push_back(event);
    }
    return keys;
}

std::optional<Text> clipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<Text> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        handles::GlobalLockGuard lock(data);
        if (lock.data()) text = Text(static_cast<const char*>(lock.data()));
    }
    CloseClipboard();
    return text;
}

class SendingThroughThePanel : public ::testing::Test {
protected:
    void SetUp() override {
        client = std::make_unique<standin::StandIn>(
            std::vector<std::wstring>{L"--account", L"张三", L"--chat", L"李四"});
        ASSERT_TRUE(client->started()) << "the stand-in client did not start";
        ASSERT_TRUE(
            testfiles::writeBytes(panel.folder() + "\\快捷回复.txt", "你好，马上到 OK\r\n\r\n第三条\r\n"));
        ASSERT_TRUE(panel.start()) << "marrowpad.exe did not show its window";
        list = std::make_unique<remote::ListView>(panel.control(id::replyList));
        // The list is filled last in the set-up, which lets messages through while it looks for clients.
        ASSERT_TRUE(waitUntil([&] { return list->rowCount() == 3; })) << "the replies were not loaded";
    }

    std::unique_ptr<standin::StandIn> client;
    PanelProcess panel;
    std::unique_ptr<remote::ListView> list;
};

TEST_F(SendingThroughThePanel, DoubleClickPastesTheReplyIntoTheClientAndSendsIt) {
    list->doubleClick(list->rowCentre(0));
    ASSERT_TRUE(client->waitForEvent(L"send 你好，马上到 OK")) << "the reply was not sent";
    ASSERT_TRUE(waitUntil([&] { return keyEvents(client->events()).size() >= kSendKeys.size(); }));
    EXPECT_EQ(keyEvents(client->events()), kSendKeys);
    const std::vector<std::wstring> events = client->events();
    EXPECT_NE(std::find(events.begin(), events.end(), L"paste 你好，马上到 OK"), events.end());
    EXPECT_EQ(clipboardText(), Text("你好，马上到 OK")) << "the clipboard keeps the reply";

    // The row double-clicked is the one sent.
    list->doubleClick(list->rowCentre(2));
    EXPECT_TRUE(client->waitForEvent(L"send 第三条"));
}

// Sends one after another, the client in front from the one before and the focus in the panel's list:
// each activation must leave the client with the keyboard focus (once in a few dozen it did not, and
// that send went nowhere).
TEST_F(SendingThroughThePanel, EverySendOfALongRunArrives) {
    constexpr int kSends = 30;
    const auto sent = [&] {
        const std::vector<std::wstring> events = client->events();
        return std::count(events.begin(), events.end(), L"send 第三条");
    };
    for (int send = 1; send <= kSends; ++send) {
        list->doubleClick(list->rowCentre(2));
        ASSERT_TRUE(waitUntil([&] { return sent() == send; }, 5000)) << "send " << send << " did not arrive";
    }
}

TEST_F(SendingThroughThePanel, AnEmptyReplyStillSendsCtrlVAndEnter) {
    list->doubleClick(list->rowCentre(1));
    ASSERT_TRUE(client->waitForEvent(L"send ")) << "Enter did not arrive";
    ASSERT_TRUE(waitUntil([&] { return keyEvents(client->events()).size() >= kSendKeys.size(); }));
    EXPECT_EQ(keyEvents(client->events()), kSendKeys);
    EXPECT_EQ(clipboardText(), Text());
}

TEST_F(SendingThroughThePanel, DoubleClickWithNoCurrentRowDoesNothing) {
    ASSERT_TRUE(replies::copyTextToClipboard("用户自己的剪贴板"));
    // A click below the last row takes the selection away; the double-click there finds no current row.
    POINT below = list->rowCentre(2);
    below.y += 60;
    list->leftClick(below);
    ASSERT_TRUE(waitUntil([&] { return list->currentRow() == -1; }));
    list->doubleClick(below);
    // The panel answers once the double-click has been handled; a send would take over 200 ms more.
    Sleep(500);
    SendMessageTimeoutA(panel.window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    EXPECT_TRUE(keyEvents(client->events()).empty());
    EXPECT_EQ(clipboardText(), Text("用户自己的剪贴板"));

    // Where there is a row, the same double-click sends it: the keys above would have arrived.
    list->doubleClick(list->rowCentre(2));
    ASSERT_TRUE(client->waitForEvent(L"send 第三条"));
    ASSERT_TRUE(waitUntil([&] { return keyEvents(client->events()).size() >= kSendKeys.size(); }));
    EXPECT_EQ(keyEvents(client->events()), kSendKeys);
}

}  // namespace
