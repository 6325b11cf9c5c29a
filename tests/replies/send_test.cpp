#include "replies/send.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "test_panel.h"
#include "util/codepage.h"
#include "util/message_pump.h"

using namespace replies;

namespace {

// One key message as the focused edit box received it.
struct KeySeen {
    UINT message;  // WM_KEYDOWN or WM_KEYUP
    WPARAM key;
    DWORD time;       // the event's time (GetMessageTime)
    bool duringSend;  // handled while sendQuickReply was running
    bool operator==(const KeySeen& other) const {
        return message == other.message && key == other.key && duringSend == other.duringSend;
    }
};

// The stand-in for the chat window: a top-level window whose multi-line edit box takes the keys.
std::vector<KeySeen> keysSeen;
bool sending = false;
HWND chatWindow = nullptr;
HWND chatInput = nullptr;
WNDPROC editProcedure = nullptr;
std::vector<HWND> activated;

LRESULT CALLBACK recordKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
        keysSeen.push_back({message, wParam, static_cast<DWORD>(GetMessageTime()), sending});
    }
    return CallWindowProcA(editProcedure, window, message, wParam, lParam);
}

void activateChat(HWND window) {
    activated.push_back(window);
    SetForegroundWindow(window);
    SetFocus(chatInput);
}

// The clipboard's block for a format, byte for byte; nothing when the format is absent.
std::optional<std::string> clipboardBytes(UINT format) {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::string> bytes;
    if (HANDLE data = GetClipboardData(format)) {
        if (const void* locked = GlobalLock(data)) {
            bytes = std::string(static_cast<const char*>(locked), GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

std::string wideBytes(const ByteBuffer& buffer) {
    return std::string(buffer.begin(), buffer.end());
}

// Hiding or destroying a visible window costs about two seconds under Xvfb without a window manager, so the
// stand-in chat window is made once and lives until the test program ends.
class SendQuickReply : public ::testing::Test {
protected:
    TestPanel panel;
    ReplyListOf<ListView> list{panel.list};

    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MarrowpadChatStandIn";
        RegisterClassA(&windowClass);
        chatWindow = CreateWindowExA(0, windowClass.lpszClassName, "chat", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     400, 0, 400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
        chatInput = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 380, 200,
                                    chatWindow, nullptr, windowClass.hInstance, nullptr);
        editProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(chatInput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordKeys)));
    }
    void SetUp() override {
        SetForegroundWindow(chatWindow);
        SetWindowTextA(chatInput, "");
        processPendingMessages();
        keysSeen.clear();
        activated.clear();
    }

    void showReplies(const TextArray& replies) {
        for (std::size_t i = 0; i < replies.size(); ++i) {
            list.insertRow(static_cast<int>(i));
            list.setCell(static_cast<int>(i), kReplyColumn, replies[i]);
        }
    }
    void send() {
        sending = true;
        sendQuickReply(list, chatWindow, activateChat);
        sending = false;
        // Let the last key arrive.
        for (int i = 0; i < 50 && !(keysSeen.size() >= 6); ++i) {
            processPendingMessages();
            Sleep(10);
        }
        processPendingMessages();
    }
};

}  // namespace

TEST_F(SendQuickReply, ClipboardHoldsTheReplyAsGbkAndAsUtf16) {
    for (const Text reply : {"你好, friend", ""}) {
        ASSERT_TRUE(copyTextToClipboard(reply));
        const std::optional<std::string> text = clipboardBytes(CF_TEXT);
        ASSERT_TRUE(text) << reply;
        ASSERT_GE(text->size(), reply.size() + 1);
        EXPECT_EQ(text->substr(0, reply.size() + 1), std::string(reply.c_str(), reply.size() + 1));

        const std::string expectedWide = reply.empty() ? std::string(2, '\0') : wideBytes(textToUtf16(reply));
        const std::optional<std::string> wide = clipboardBytes(CF_UNICODETEXT);
        ASSERT_TRUE(wide) << reply;
        ASSERT_GE(wide->size(), expectedWide.size());
        EXPECT_EQ(wide->substr(0, expectedWide.size()), expectedWide);
    }
}

TEST_F(SendQuickReply, PastesAndSendsTheCurrentReplyIntoTheActivatedWindow) {
    showReplies({"第一", "好友你好"});
    list.setCurrentRow(1);
    send();

    EXPECT_EQ(activated, std::vector<HWND>({chatWindow}));
    const std::vector<KeySeen> expected = {
        {WM_KEYDOWN, VK_CONTROL, 0, true}, {WM_KEYDOWN, 'V', 0, true},       {WM_KEYUP, VK_CONTROL, 0, true},
        {WM_KEYUP, 'V', 0, true},          {WM_KEYDOWN, VK_RETURN, 0, true}, {WM_KEYUP, VK_RETURN, 0, false},
    };
    ASSERT_EQ(keysSeen, expected);
    EXPECT_GE(keysSeen[4].time - keysSeen[3].time, 80u) << "a pause between the paste and Enter";

    // Ctrl+V pasted the reply, Enter started a new line after it.
    EXPECT_EQ(EditBox(chatInput).text(), "好友你好\r\n");
    EXPECT_EQ(clipboardBytes(CF_TEXT)->substr(0, 9), std::string("好友你好", 9));
}

TEST_F(SendQuickReply, EmptyReplyStillSendsTheKeys) {
    showReplies({""});
    list.setCurrentRow(0);
    send();
    EXPECT_EQ(keysSeen.size(), 6u);
    EXPECT_EQ(clipboardBytes(CF_TEXT)->at(0), '\0');
}

TEST_F(SendQuickReply, NoCurrentRowDoesNothing) {
    ASSERT_TRUE(copyTextToClipboard("before"));
    showReplies({"a"});
    list.setCurrentRow(-1);
    send();
    EXPECT_TRUE(activated.empty());
    EXPECT_TRUE(keysSeen.empty());
    EXPECT_EQ(clipboardBytes(CF_TEXT)->substr(0, 7), std::string("before", 7));
}

// While another program holds the clipboard, the reply cannot be put there: pressing Ctrl+V and Enter would
// send the old content to the friend, so nothing is sent.
TEST_F(SendQuickReply, ClipboardHeldElsewhereSendsNothing) {
    ASSERT_TRUE(copyTextToClipboard("before"));
    showReplies({"a"});
    list.setCurrentRow(0);

    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        const HWND owner =
            CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        const bool held = OpenClipboard(owner);
        SetEvent(opened);
        WaitForSingleObject(release, 5000);
        if (held) CloseClipboard();
        DestroyWindow(owner);
    });
    WaitForSingleObject(opened, 5000);
    send();
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);

    EXPECT_TRUE(activated.empty());
    EXPECT_TRUE(keysSeen.empty());
    EXPECT_EQ(clipboardBytes(CF_TEXT)->substr(0, 7), std::string("before", 7));
}

TEST(PressKey, PressOnlyAndReleaseOnly) {
    // The keys go to the window in front; only the key state they leave behind is looked at here.
    pressKey(VK_SHIFT, kPressOnly);
    processPendingMessages();
    EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    pressKey(VK_SHIFT, kReleaseOnly);
    processPendingMessages();
    EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
}
