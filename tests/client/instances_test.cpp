// The instance list against stand-in chat clients: scanning them into the drop-down and choosing one.
#include "client/instances.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "client/system_client_paths.h"
#include "standin_control.h"

namespace {

struct FakeChoiceList final : client::ChoiceList {
    TextArray entries;
    int selected = -1;
    void clear() override {
        entries.clear();
        selected = -1;
    }
    void append(const Text& entry) override { entries.push_back(entry); }
    int count() const override { return static_cast<int>(entries.size()); }
    int selection() const override { return selected; }
    void setSelection(int position) override {
        selected = position < -1 ? -1 : position >= count() ? count() - 1 : position;
    }
};

struct FakeTimer final : client::PeriodicTimer {
    std::vector<int> periods;
    void setPeriod(int milliseconds) override { periods.push_back(milliseconds); }
};

class InstancesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }

    const Text& accountPath = client::systemClientPaths().account;
};

TEST_F(InstancesTest, ScanListsEveryInstanceInStartOrderAndNamesOnlyWhatItFinds) {
    standin::StandIn first({L"--account", L"张三"});
    // No main window with the title 微信: the process still gets its entry, with no window.
    standin::StandIn untitled({L"--account", L"李四", L"--title", L"登录"});
    standin::StandIn hidden({L"--account", L"王五", L"--hidden"});
    standin::StandIn sameAccount({L"--account", L"张三"});
    ASSERT_TRUE(first.started() && untitled.started() && hidden.started() && sameAccount.started());

    FakeChoiceList instances;
    instances.entries = {"earlier"};
    std::vector<HWND> windows{reinterpret_cast<HWND>(1)};
    client::scanClientInstances(instances, windows, accountPath);

    // 张三, NAMELESS (not the 张三 read before it), 王五, 张三.
    EXPECT_EQ(instances.entries, (TextArray{"张三", "NAMELESS", "王五", "张三"}));
    EXPECT_EQ(windows, (std::vector<HWND>{first.window(), nullptr, hidden.window(), sameAccount.window()}));
    EXPECT_EQ(instances.selection(), 0);
}

TEST_F(InstancesTest, ScanWithoutClientsLeavesBothListsEmpty) {
    FakeChoiceList instances;
    instances.entries = {"earlier"};
    instances.selected = 0;
    std::vector<HWND> windows{reinterpret_cast<HWND>(1)};
    client::scanClientInstances(instances, windows, accountPath);
    EXPECT_TRUE(instances.entries.empty());
    EXPECT_TRUE(windows.empty());
    EXPECT_EQ(instances.selection(), -1);
}

TEST_F(InstancesTest, PathAsWrittenForChineseWindowsFindsTheAccountOnlyWhereTheSystemTextsAreThose) {
    // The path as written holds Chinese Windows' texts for the client role and state 0. Elsewhere, Wine's
    // zh_CN included (its state 0 is 普通), it finds no account: the reason the paths are built from the
    // system's texts.
    wchar_t role[64] = {}, state[64] = {};
    GetRoleTextW(ROLE_SYSTEM_CLIENT, role, 64);
    GetStateTextW(0, state, 64);
    const bool chineseWindowsTexts = std::wstring(role) == L"客户端" && std::wstring(state) == L"正常";
    standin::StandIn client({L"--account", L"张三"});
    ASSERT_TRUE(client.started());
    FakeChoiceList instances;
    std::vector<HWND> windows;
    client::scanClientInstances(instances, windows, "?t==客户端&s==正常>#1>#2>#1>#1");
    EXPECT_EQ(instances.entries, (TextArray{chineseWindowsTexts ? "张三" : "NAMELESS"}));
    client::scanClientInstances(instances, windows, accountPath);
    EXPECT_EQ(instances.entries, (TextArray{"张三"}));
}

TEST_F(InstancesTest, ChoosingAnEntryFollowsItsWindowByPosition) {
    standin::StandIn first({L"--account", L"张三"});
    standin::StandIn second({L"--account", L"张三"});
    ASSERT_TRUE(first.started() && second.started());
    FakeChoiceList instances;
    instances.entries = {"张三", "张三", "NAMELESS"};
    const std::vector<HWND> windows{first.window(), second.window(), nullptr};
    HWND current = nullptr;
    AccElement root;
    FakeTimer timer;

    for (int entry : {1, 0}) {
        SCOPED_TRACE(entry);
        instances.selected = entry;
        client::selectClientInstance(instances, windows, current, root, timer);
        EXPECT_EQ(current, windows[entry]);
        EXPECT_TRUE(standin::waitForForeground(windows[entry], 3000)) << "the chosen window is activated";
        EXPECT_EQ(root.window(), windows[entry]) << "the root is the chosen window's object";
        EXPECT_EQ(timer.periods.back(), 100);
    }

    // No selection: nothing changes.
    instances.selected = -1;
    const std::size_t periodsSet = timer.periods.size();
    client::selectClientInstance(instances, windows, current, root, timer);
    EXPECT_EQ(current, first.window());
    EXPECT_EQ(root.window(), first.window());
    EXPECT_EQ(timer.periods.size(), periodsSet);

    // An instance without a main window: followed as no window, with an empty root.
    instances.selected = 2;
    client::selectClientInstance(instances, windows, current, root, timer);
    EXPECT_EQ(current, nullptr);
    EXPECT_TRUE(root.isEmpty());
    EXPECT_EQ(timer.periods.back(), 100);
}

}  // namespace
