// One tick of the chat tracker, against a tree of fake accessible objects and a window of the test standing
// in for the client: the order of its writes, the client that is not there, and a tick inside a tick.
#include "client/chat_tracker.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "support/fake_accessible.h"

namespace {

using Log = std::vector<std::string>;
using fake::FakeAccessible;

// The panel's window: each topmost write, with the number of calls the client had served by then.
struct RecordingWindow final : client::DockedWindow {
    Log* log;
    explicit RecordingWindow(Log& entries) : log(&entries) {}
    int width() const override { return 348; }
    void setLeft(int) override {}
    void setTop(int) override {}
    void setHeight(int) override {}
    void setTopmost(bool topmost) override {
        log->push_back(std::string(topmost ? "topmost" : "not topmost") + " after " +
                       std::to_string(FakeAccessible::callsServed()) + " calls");
    }
};

struct FixedToggle final : client::Toggle {
    bool on = false;
    bool checked() const override { return on; }
    void setChecked(bool checked) override { on = checked; }
};

struct CountingBox final : client::TextBox {
    Text shown;
    mutable int reads = 0;
    std::function<void()> onRead;
    Text text() const override {
        ++reads;
        if (onRead) onRead();
        return shown;
    }
    void setText(const Text& text) override { shown = text; }
};

class ChatTrackerTest : public testing::Test {
protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }

    void SetUp() override {
        fake::Props rootProps;
        rootProps.name = L"client";
        tree = FakeAccessible::create(rootProps);
        fake::Props chat;
        chat.name = L"李四";
        tree->addFull(chat);
        root.bindObject(tree.Get());
        FakeAccessible::resetCallsServed();
    }

    // A top-level window of this process, made the foreground window.
    HWND frontWindow() {
        window = CreateWindowExW(0, L"STATIC", L"client", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        return window;
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
    }

    Microsoft::WRL::ComPtr<FakeAccessible> tree;
    AccElement root;
    Log log;
    RecordingWindow panelWindow{log};
    FixedToggle dockLeft, dockRight;
    CountingBox nicknameBox;
    client::TrackedPanel panel{nicknameBox, {panelWindow, dockLeft, dockRight}};
    HWND window = nullptr;
};

TEST_F(ChatTrackerTest, LeavesTheTopmostBandBeforeReadingTheClientInFront) {
    HWND client = frontWindow();
    ASSERT_EQ(GetForegroundWindow(), client);
    client::trackOpenChat(panel, client, root, "#1");
    EXPECT_EQ(nicknameBox.shown, "李四");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "not topmost after 0 calls")
        << "out of the band before the first call into the client";
    EXPECT_EQ(log.back().rfind("topmost after", 0), 0u) << "and back in after docking";
}

TEST_F(ChatTrackerTest, NoClientWindowIsNeverInFrontEvenWithNoForegroundWindow) {
    // The foreground window goes with this process's last window: then there is none at all.
    HWND shortLived = frontWindow();
    DestroyWindow(shortLived);
    window = nullptr;
    ASSERT_EQ(GetForegroundWindow(), nullptr) << "the system still has a foreground window";
    client::trackOpenChat(panel, nullptr, root, "#1");
    EXPECT_EQ(log, (Log{"not topmost after " + std::to_string(FakeAccessible::callsServed()) + " calls"}));
}

TEST_F(ChatTrackerTest, ATickInsideATickDoesNothing) {
    // The nickname box's read stands for a call into the client that lets the timer's message through.
    bool nested = false;
    nicknameBox.onRead = [&] {
        if (nested) return;
        nested = true;
        client::trackOpenChat(panel, nullptr, root, "#1");
    };
    client::trackOpenChat(panel, nullptr, root, "#1");
    EXPECT_TRUE(nested);
    EXPECT_EQ(nicknameBox.reads, 1) << "the inner tick read the box too";
    EXPECT_EQ(log.size(), 1u) << "the inner tick docked too";
}

}  // namespace
