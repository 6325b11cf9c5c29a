// Figures of sending a quick reply through the real program: marrowpad.exe following a stand-in WeChat.exe,
// a double-click on a row of its list, and the time until the stand-in's input box has the Enter that sends
// the pasted reply. Prints its figures.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "panel_process.h"
#include "remote_controls.h"
#include "standin_control.h"
#include "support/temp_files.h"

namespace {

constexpr int kSends = 20;

struct Send {
    std::uint64_t clicked = 0;    // the double-click posted
    std::uint64_t firstKey = 0;   // Ctrl down in the input box
    std::uint64_t enterDown = 0;  // the Enter that sends
    std::uint64_t lastKey = 0;    // Enter up
};

// The last send in the log, when its Enter has been released.
bool lastSend(const std::vector<standin::LogEntry>& log, std::size_t from, Send& send) {
    bool ctrl = false, enter = false;
    for (std::size_t i = from; i < log.size(); ++i) {
        const std::wstring& event = log[i].event;
        if (event == L"keydown 11" && !ctrl) {
            send.firstKey = log[i].ms;
            ctrl = true;
        } else if (event == L"keydown 0D") {
            send.enterDown = log[i].ms;
            enter = true;
        } else if (event == L"keyup 0D" && ctrl && enter) {
            send.lastKey = log[i].ms;
            return true;
        }
    }
    return false;
}

void print(const char* what, std::vector<std::uint64_t> values) {
    std::sort(values.begin(), values.end());
    std::printf("%-44s min %4llu  median %4llu  max %4llu ms\n", what,
                static_cast<unsigned long long>(values.front()),
                static_cast<unsigned long long>(values[values.size() / 2]),
                static_cast<unsigned long long>(values.back()));
}

}  // namespace

int main() {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    if (!client.started()) {
        std::printf("stand-in did not start\n");
        return 1;
    }
    PanelProcess panel;
    testfiles::writeBytes(panel.folder() + "\\快捷回复.txt", "你好，我稍后回复你。\r\n");
    if (!panel.start()) {
        std::printf("marrowpad.exe did not start\n");
        return 1;
    }
    remote::ListView list(panel.control(control_ids::replyList));
    if (!waitUntil([&] { return list.rowCount() == 1; })) {
        std::printf("the reply list was not loaded\n");
        return 1;
    }

    std::vector<Send> sends;
    for (int run = 0; run < kSends; ++run) {
        const std::size_t logged = client.log().size();
        Send send;
        send.clicked = GetTickCount64();
        list.doubleClick(list.rowCentre(0));
        if (!waitUntil([&] { return lastSend(client.log(), logged, send); }, 5000)) {
            std::printf("send %d did not arrive: does the program follow the stand-in?\n", run + 1);
            return 1;
        }
        sends.push_back(send);
        Sleep(100);
    }

    std::vector<std::uint64_t> toEnter, toFirstKey, keys;
    for (const Send& send : sends) {
        toEnter.push_back(send.enterDown - send.clicked);
        toFirstKey.push_back(send.firstKey - send.clicked);
        keys.push_back(send.lastKey - send.firstKey);
    }
    std::printf("%d sends of a %zu-byte reply\n", kSends, std::string("你好，我稍后回复你。").size());
    print("double-click posted to Enter received:", toEnter);
    print("double-click posted to Ctrl down received:", toFirstKey);
    print("Ctrl down to Enter up, in the input box:", keys);
    return 0;
}
