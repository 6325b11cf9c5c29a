// Figures of following the chat client, measured against stand-in clients: process listing, window search,
// one cross-process accessibility call, the two name paths, activation. Prints its figures.
#include <windows.h>
// After windows.h.
#include <tlhelp32.h>

#include <cstdio>
#include <functional>

#include "app/controls.h"
#include "client/chat_tracker.h"
#include "client/process_list.h"
#include "client/system_client_paths.h"
#include "client/window_finder.h"
#include "standin_control.h"
#include "standin_reader.h"
#include "util/activate.h"
#include "util/handles.h"

namespace {

// Mean milliseconds per run of `work`, over `runs` runs.
double msPerRun(int runs, const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < runs; ++i) work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart) / runs;
}

int topLevelWindowCount() {
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, nullptr)) != nullptr;)
        ++count;
    return count;
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    standin::StandIn first({L"--account", L"张三", L"--chat", L"李四"});
    standin::StandIn second({L"--hidden"});
    if (!first.started() || !second.started()) {
        std::printf("stand-in did not start\n");
        return 1;
    }
    std::printf("top-level windows on the desktop: %d\n", topLevelWindowCount());

    ProcessIdList ids;
    std::printf("findProcessIds(WeChat.exe), 2 found:            %8.3f ms\n",
                msPerRun(50, [&] { findProcessIds("WeChat.exe", ids); }));
    std::printf("  of which a process-only snapshot would take:  %8.3f ms\n", msPerRun(50, [] {
                    handles::unique_snapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
                }));
    std::printf("findProcessWindow, visible main window found:   %8.3f ms\n", msPerRun(50, [&] {
                    findProcessWindow(first.processId(), Text("微信"), Text("WeChatMainWndForPC"));
                }));
    std::printf("findProcessWindow, hidden window, visible only: %8.3f ms (full walk, not found)\n",
                msPerRun(50, [&] {
                    findProcessWindow(second.processId(), Text("微信"), Text("WeChatMainWndForPC"));
                }));
    std::printf("findProcessWindow, hidden window found:         %8.3f ms\n", msPerRun(50, [&] {
                    findProcessWindow(second.processId(), Text("微信"), Text("WeChatMainWndForPC"), -1,
                                      false);
                }));

    const standin::Element window{standin::windowObject(first.window())};
    std::printf("AccessibleObjectFromWindow (cross-process):     %8.3f ms\n",
                msPerRun(50, [&] { standin::windowObject(first.window()); }));
    std::printf("one accName call (cross-process):               %8.3f ms\n",
                msPerRun(200, [&] { standin::nameOf(window); }));
    first.command(L"resetcalls");
    const double chatPathMs =
        msPerRun(50, [&] { standin::nameBelowClient(first.window(), standin::kChatPath); });
    std::printf("chat path by index, 14 steps and the name:      %8.3f ms (%ld calls served per walk)\n",
                chatPathMs, first.callsServed() / 50);
    std::printf("account path by index, 5 steps and the name:    %8.3f ms\n",
                msPerRun(50, [&] { standin::nameBelowClient(first.window(), standin::kAccountPath); }));

    // One tick of the chat tracker against the first stand-in: the chat path and the name, then the docking
    // of a window of the bench's own (the nickname box is kept in memory; its text does not change).
    struct MemoryBox final : client::TextBox {
        Text content;
        Text text() const override { return content; }
        void setText(const Text& text) override { content = text; }
    } nicknameBox;
    struct Unchecked final : client::Toggle {
        bool checked() const override { return false; }
        void setChecked(bool) override {}
    } dockLeft, dockRight;
    WindowFrame frame(CreateWindowExA(0, "STATIC", "panel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 348, 755,
                                      nullptr, nullptr, nullptr, nullptr));
    client::DockedWindowOf<WindowFrame> panelWindow(frame);
    client::TrackedPanel panel{nicknameBox, {panelWindow, dockLeft, dockRight}};
    AccElement clientRoot;
    clientRoot.bindWindow(first.window());
    const Text& chatPath = client::systemClientPaths().chat;
    first.command(L"resetcalls");
    const double tickMs =
        msPerRun(20, [&] { client::trackOpenChat(panel, first.window(), clientRoot, chatPath); });
    std::printf("one tick (trackOpenChat), chat open:            %8.3f ms (%ld calls served per tick)\n",
                tickMs, first.callsServed() / 20);
    first.command(L"nochat");
    std::printf("one tick, no chat open:                         %8.3f ms\n",
                msPerRun(20, [&] { client::trackOpenChat(panel, first.window(), clientRoot, chatPath); }));
    DestroyWindow(frame.handle());

    second.command(L"show");
    const double activationMs = msPerRun(10, [&] {
        for (HWND target : {first.window(), second.window()}) {
            activateWindow(target);
            while (GetForegroundWindow() != target) Sleep(1);
        }
    });
    std::printf("activateWindow until it is the foreground:      %8.3f ms\n", activationMs / 2);
    CoUninitialize();
    return 0;
}
