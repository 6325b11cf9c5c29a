// The accessibility layer reading a window of another process: our tree_host program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "access/acc_element.h"
#include "access/path_query.h"
#include "access/snapshot.h"
#include "access_test_support.h"
#include "util/handles.h"

namespace {

using access_test::platformRoleText;
using access_test::platformStateText;

// tree_host.exe, next to this test program.
std::string hostProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    return program.substr(0, program.find_last_of("\\/") + 1) + "tree_host.exe";
}

// Starts the host with a window of that title; the host ends when the guard closes its window.
class TreeHost {
public:
    explicit TreeHost(const std::string& title) {
        std::string commandLine = "\"" + hostProgram() + "\" \"" + title + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &started)) {
            return;
        }
        process_.reset(started.hProcess);
        CloseHandle(started.hThread);
        WaitForInputIdle(process_.get(), 10000);
        for (int i = 0; i < 200 && !window_; ++i) {
            window_ = FindWindowA("MarrowpadTreeHost", title.c_str());
            if (!window_) Sleep(50);
        }
    }
    ~TreeHost() {
        if (!process_) return;
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
    }
    HWND window() const { return window_; }
    // Closes the window and waits for the host to end; its exit code, or -1.
    long close() {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        window_ = nullptr;
        DWORD code = 0;
        if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) return -1;
        GetExitCodeProcess(process_.get(), &code);
        return static_cast<long>(code);
    }

private:
    handles::unique_handle process_;
    HWND window_ = nullptr;
};

TEST(CrossProcess, ReadsTheTreeOfAnotherProgramsWindow) {
    TreeHost host("tree host for " + std::to_string(GetCurrentProcessId()));
    ASSERT_NE(host.window(), nullptr) << "tree_host.exe did not show its window";
    {
        AccElement root;
        ASSERT_TRUE(root.bindWindow(host.window()));
        EXPECT_EQ(root.name(), "宿主窗口");
        EXPECT_EQ(root.childCount(), 2);

        const Text clientArea = "?t==" + platformRoleText(ROLE_SYSTEM_CLIENT) + "&s==" + platformStateText(0);
        AccElement friendName;
        ASSERT_TRUE(findByPath(root, clientArea + ">#1>#1", friendName));
        const ElementInfo info = snapshot(friendName);
        EXPECT_EQ(info.name, "好友名");
        EXPECT_EQ(info.childId, "1");  // a simple element inside the remote pane
        EXPECT_EQ(info.screenPosition, "左：210 顶：160");
        EXPECT_EQ(info.size, "宽：300 高：20");
        EXPECT_EQ(friendName.window(), host.window());  // found through the remote IOleWindow
        EXPECT_EQ(info.windowPosition, "左：10 顶：10");

        AccElement message;
        ASSERT_TRUE(findByPath(root, clientArea + ">#-1", message));
        EXPECT_EQ(message.value(), "你好");
        EXPECT_EQ(message.childId(), 0);  // reported as a number, reached as an object of its own

        std::vector<AccElement> kids;
        ASSERT_EQ(root.children(kids), 2);
        EXPECT_EQ(kids[0].name(), "标题栏");
        AccElement out;
        EXPECT_FALSE(findByPath(root, "#3", out));
    }
    EXPECT_EQ(host.close(), 0);
}

}  // namespace
