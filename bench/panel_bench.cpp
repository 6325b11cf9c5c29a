// Figures of the real program following a stand-in client: the time to start (window shown, then the open
// chat's name shown), what the process holds every 500 ticks over five thousand (memory, handles, window
// objects, and the references on the client's accessible objects, also once the panel has closed), and how
// long it does not answer while the client does not answer. Prints its figures. With the arguments
// "ticks [N]" it measures the holdings only, over N ticks.
#include <windows.h>
// After windows.h.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "access/acc_element.h"
#include "access/path_query.h"
#include "access/snapshot.h"
#include "app/control_ids.h"
#include "client/system_client_paths.h"
#include "panel_process.h"
#include "remote_controls.h"
#include "standin_control.h"
#include "timing.h"

namespace {

constexpr int kStarts = 5;
constexpr long kDefaultTicks = 5000;
constexpr long kTicksBetweenPrints = 500;

Text nicknameOf(const PanelProcess& panel) {
    return remote::textOf(panel.control(control_ids::nicknameBox));
}

// What the panel's process and the client hold at one moment.
struct Holdings {
    double privateKb = 0, workingSetKb = 0;
    DWORD handles = 0, gdiObjects = 0, userObjects = 0;
    long clientObjects = 0, clientReferences = 0;
};

Holdings holdingsOf(const PanelProcess& panel, const standin::StandIn& client) {
    Holdings h;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(panel.process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        h.privateKb = static_cast<double>(memory.PrivateUsage) / 1024;
        h.workingSetKb = static_cast<double>(memory.WorkingSetSize) / 1024;
    }
    GetProcessHandleCount(panel.process(), &h.handles);
    h.gdiObjects = GetGuiResources(panel.process(), GR_GDIOBJECTS);
    h.userObjects = GetGuiResources(panel.process(), GR_USEROBJECTS);
    h.clientObjects = static_cast<long>(client.command(L"objects"));
    h.clientReferences = static_cast<long>(client.command(L"refs"));
    return h;
}

// The calls into the client that one tick makes: the chat path and the name, read here as the tick reads.
long callsPerTick(const standin::StandIn& client) {
    AccElement root;
    root.bindWindow(client.window());
    client.command(L"resetcalls");
    AccElement found;
    findByPath(root, client::systemClientPaths().chat, found);
    snapshotName(found);
    return client.callsServed();
}

void measureStart() {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    std::vector<double> shown, named;
    for (int run = 0; run < kStarts; ++run) {
        PanelProcess panel;
        const ULONGLONG start = GetTickCount64();
        if (!panel.start()) {
            std::printf("marrowpad.exe did not start\n");
            return;
        }
        shown.push_back(static_cast<double>(GetTickCount64() - start));
        waitUntil([&] { return nicknameOf(panel) == "李四"; }, 20000);
        named.push_back(static_cast<double>(GetTickCount64() - start));
    }
    const Spread s = spreadOf(shown), n = spreadOf(named);
    std::printf("start-up, %d starts beside a running client   median    max ms\n", kStarts);
    std::printf("  window shown and set-up done              %8.0f %8.0f\n", s.median, s.max);
    std::printf("  the open chat's name shown                %8.0f %8.0f\n", n.median, n.max);
}

void printHoldings(const char* when, const Holdings& h) {
    std::printf("  %-22s %9.0f %9.0f %8lu %6lu %6lu %9ld %9ld\n", when, h.privateKb, h.workingSetKb,
                h.handles, h.gdiObjects, h.userObjects, h.clientObjects, h.clientReferences);
}

// A sample is taken at any moment of a tick: the references of the objects the tick's walk holds at that
// moment are counted too, those of a chat replaced during the walk included. What the panel keeps shows
// once it has closed: only the client's own tree is left.
void measureTicks(long totalTicks) {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    const long perTick = callsPerTick(client);
    PanelProcess panel;
    if (!panel.start() || !waitUntil([&] { return nicknameOf(panel) == "李四"; }, 20000)) {
        std::printf("the panel did not follow the client\n");
        return;
    }
    Sleep(2000);
    std::printf(
        "\nwhat the panel holds while it ticks (%ld calls into the client a tick; the chat changes\n"
        "every 50 ticks)\n",
        perTick);
    std::printf("  %-22s %9s %9s %8s %6s %6s %9s %9s\n", "", "private", "working", "handles", "GDI", "USER",
                "client", "client");
    std::printf("  %-22s %9s %9s %8s %6s %6s %9s %9s\n", "", "KB", "set KB", "", "", "", "objects", "refs");
    printHoldings("after start", holdingsOf(panel, client));
    client.command(L"resetcalls");
    const ULONGLONG start = GetTickCount64();
    long ticks = 0, nextChange = 50, nextPrint = kTicksBetweenPrints;
    bool otherChat = false;
    while (ticks < totalTicks) {
        Sleep(200);
        ticks = client.callsServed() / perTick;
        if (ticks >= nextChange) {
            otherChat = !otherChat;
            client.command(otherChat ? L"chat 王五" : L"chat 李四");
            nextChange += 50;
        }
        if (ticks >= nextPrint) {
            printHoldings(("after " + std::to_string(ticks) + " ticks").c_str(), holdingsOf(panel, client));
            nextPrint += kTicksBetweenPrints;
        }
        if (panel.waitForExit(0) != STILL_ACTIVE) {
            std::printf("the panel ended\n");
            return;
        }
    }
    std::printf("  %ld ticks in %.0f s: %.0f ms a tick\n", ticks, (GetTickCount64() - start) / 1000.0,
                static_cast<double>(GetTickCount64() - start) / static_cast<double>(ticks));
    PostMessageW(panel.window(), WM_CLOSE, 0, 0);
    const DWORD exitCode = panel.waitForExit(20000);
    Sleep(500);
    printHoldings(exitCode == 0 ? "after it closed" : "it did NOT close", holdingsOf(panel, client));
}

void measureSilence() {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    PanelProcess panel;
    if (!panel.start() || !waitUntil([&] { return nicknameOf(panel) == "李四"; }, 20000)) {
        std::printf("the panel did not follow the client\n");
        return;
    }
    std::printf("\nthe panel while the client does not answer   longest unanswered   back to tracking\n");
    for (const DWORD silence : {1000u, 10000u}) {
        client.command(L"busy " + std::to_wstring(silence));
        const ULONGLONG start = GetTickCount64();
        ULONGLONG longest = 0;
        while (GetTickCount64() - start < silence + 2000) {
            const ULONGLONG asked = GetTickCount64();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(panel.window(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
            longest = std::max(longest, GetTickCount64() - asked);
            Sleep(20);
        }
        client.command(L"chat 王五");
        const ULONGLONG changed = GetTickCount64();
        const bool followed = waitUntil([&] { return nicknameOf(panel) == "王五"; }, 20000);
        std::printf("  %5lu ms silence                          %8llu ms          %s after %llu ms\n",
                    silence, longest, followed ? "yes," : "NO,", GetTickCount64() - changed);
        client.command(L"chat 李四");
        waitUntil([&] { return nicknameOf(panel) == "李四"; }, 20000);
    }
    std::printf("  the panel %s\n", panel.waitForExit(0) == STILL_ACTIVE ? "runs on" : "ENDED");
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const bool ticksOnly = argc > 1 && std::string(argv[1]) == "ticks";
    const long ticks = ticksOnly && argc > 2 ? std::atol(argv[2]) : kDefaultTicks;
    CoInitialize(nullptr);
    if (!ticksOnly) measureStart();
    measureTicks(ticks > 0 ? ticks : kDefaultTicks);
    if (!ticksOnly) measureSilence();
    CoUninitialize();
    return 0;
}
