// What the tick's read does while the client does not answer. A 100 ms timer of this process reads the open
// chat's name as the panel's tick does (chat path, then the name); the stand-in's GUI thread then sleeps,
// for 1 s and for 10 s. Prints for each silence: the ticks begun meanwhile, the deepest nesting of ticks (a
// tick that begins while an earlier one waits inside a call into the client), the longest tick, the wrong
// names read, and how long after the silence the right name was read again.
#include <windows.h>
// After windows.h.
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "access/acc_element.h"
#include "access/path_query.h"
#include "access/snapshot.h"
#include "standin_control.h"

namespace {

constexpr UINT kTickMs = 100;
const Text kFriend = "李四";

struct Phase {
    int ticks = 0;
    int depth = 0, deepest = 0;
    ULONGLONG longestMs = 0;
    int wrongNames = 0;
    ULONGLONG lastWrongAt = 0;  // GetTickCount64 when a wrong name was last read
};

Phase g_phase;
AccElement g_root;
Text g_path;

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    const ULONGLONG start = GetTickCount64();
    ++g_phase.ticks;
    g_phase.deepest = std::max(g_phase.deepest, ++g_phase.depth);
    AccElement found;
    findByPath(g_root, g_path, found);
    const Text name = snapshotName(found);
    --g_phase.depth;
    const ULONGLONG end = GetTickCount64();
    g_phase.longestMs = std::max(g_phase.longestMs, end - start);
    if (name != kFriend) {
        ++g_phase.wrongNames;
        g_phase.lastWrongAt = end;
    }
}

// Dispatches messages, the timer's among them, for `milliseconds`.
void pumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now; (now = GetTickCount64()) < end;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        // A tick may take longer than the period, and a timer message is then always waiting.
        while (GetTickCount64() < end && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

Text systemText(UINT(WINAPI* getText)(DWORD, LPSTR, UINT), DWORD code) {
    char buffer[256] = {};
    getText(code, buffer, sizeof buffer);
    return buffer;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    CoInitialize(nullptr);
    int status = 0;
    {
        standin::StandIn client({L"--chat", L"李四"});
        if (!client.started()) {
            std::printf("stand-in did not start\n");
            return 1;
        }
        g_root.bindWindow(client.window());
        g_path = "?t==" + systemText(GetRoleTextA, ROLE_SYSTEM_CLIENT) +
                 "&s==" + systemText(GetStateTextA, 0) + ">#1>#2>#3>#1>#1>#1>#1>#1>#1>#1>#1>#1>#1";
        const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, tick);
        pumpFor(1000);

        std::printf("a %u ms tick while the client does not answer\n", kTickMs);
        std::printf("%10s %8s %8s %12s %12s %20s\n", "silence", "ticks", "deepest", "longest ms",
                    "wrong names", "right again after ms");
        for (const DWORD silence : {1000u, 10000u}) {
            g_phase = Phase{};
            const ULONGLONG start = GetTickCount64();
            client.command(L"busy " + std::to_wstring(silence));
            pumpFor(silence + 3000);
            const long long rightAgain =
                g_phase.wrongNames
                    ? static_cast<long long>(g_phase.lastWrongAt - start) - static_cast<long long>(silence)
                    : 0;
            std::printf("%8lu ms %8d %8d %12llu %12d %20lld\n", silence, g_phase.ticks, g_phase.deepest,
                        g_phase.longestMs, g_phase.wrongNames, rightAgain);
        }
        g_phase = Phase{};
        pumpFor(1000);
        const bool resumed = g_phase.ticks > 0 && g_phase.wrongNames == 0;
        std::printf("tracking after the silences: %s\n", resumed ? "the right name in every tick" : "WRONG");
        if (!resumed) status = 1;
        KillTimer(nullptr, timer);
        g_root.destroy();
    }
    CoUninitialize();
    return status;
}
