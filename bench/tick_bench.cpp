// What the read of one timer tick costs against a stand-in client: the chat path from the window's object,
// then the name of the element reached. Calls served per tick (the stand-in counts them) and wall time per
// tick, median and maximum, for the reading as first built (a whole snapshot of every child that the
// condition step tests, and of the element found), and for the selective one (conditions read the fields
// they name, the tick reads the name alone). Every reading must give the same name in every tick. The
// medians of the first and of the last 20 ticks show whether a tick grows slower over a run.
#include <windows.h>
// After windows.h.
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "access/acc_element.h"
#include "access/path_query.h"
#include "access/snapshot.h"
#include "standin_control.h"
#include "timing.h"

namespace {

constexpr int kTicks = 200;

// The system's text for a role or for state 0, as the elements' snapshots give them.
Text systemText(UINT(WINAPI* getText)(DWORD, LPSTR, UINT), DWORD code) {
    char buffer[256] = {};
    getText(code, buffer, sizeof buffer);
    return buffer;
}

// The chat path, its first step picking the client area by this system's texts for the client role and
// state 0 (on Chinese Windows "客户端" and "正常"; Wine says "普通").
Text chatPath() {
    return "?t==" + systemText(GetRoleTextA, ROLE_SYSTEM_CLIENT) + "&s==" + systemText(GetStateTextA, 0) +
           ">#1>#2>#3>#1>#1>#1>#1>#1>#1>#1>#1>#1>#1";
}

struct Reading {
    const char* what;
    ChildTest test;
    bool wholeSnapshot;  // of the element found; else its name alone
};
const Reading kReadings[] = {
    {"as built: whole snapshots", matchesConditionOnSnapshot, true},
    {"selective conditions, snapshot", matchesCondition, true},
    {"selective conditions, name only", matchesCondition, false},
};

Text tickName(const AccElement& root, const Text& path, const Reading& reading) {
    AccElement found;  // stays empty, and so NAMELESS, when the path finds nothing
    findByPath(root, path, found, reading.test);
    return reading.wholeSnapshot ? snapshot(found).name : snapshotName(found);
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    int status = 0;
    {
        standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
        if (!client.started()) {
            std::printf("stand-in did not start\n");
            return 1;
        }
        AccElement root;
        root.bindWindow(client.window());
        const Text path = chatPath();

        std::printf("one tick's read against the stand-in: the chat path, then the name; %d ticks each\n",
                    kTicks);
        std::printf("%-10s %-32s %11s %10s %10s   %8s %8s\n", "chat", "reading", "calls/tick", "median ms",
                    "max ms", "first 20", "last 20");
        const struct {
            const char* what;
            const wchar_t* command;
            Text expected;
        } scenes[] = {{"open", L"chat 李四", "李四"}, {"none open", L"nochat", "NAMELESS"}};
        for (const auto& scene : scenes) {
            client.command(scene.command);
            // The readings take turns, tick by tick, so that a client that slows down over time or a busy
            // machine weighs on each alike.
            constexpr std::size_t kReadingCount = sizeof kReadings / sizeof kReadings[0];
            std::vector<double> times[kReadingCount], calls[kReadingCount];
            bool sameName[kReadingCount] = {};
            for (std::size_t r = 0; r < kReadingCount; ++r) sameName[r] = true;
            for (int tick = 0; tick < kTicks; ++tick) {
                for (std::size_t r = 0; r < kReadingCount; ++r) {
                    client.command(L"resetcalls");  // between two ticks, outside the time taken
                    Text name;
                    times[r].push_back(
                        millisecondsOf(1, [&] { name = tickName(root, path, kReadings[r]); })[0]);
                    calls[r].push_back(static_cast<double>(client.callsServed()));
                    sameName[r] = sameName[r] && name == scene.expected;
                }
            }
            for (std::size_t r = 0; r < kReadingCount; ++r) {
                const Spread time = spreadOf(times[r]);
                const Spread served = spreadOf(calls[r]);
                const Spread early = spreadOf(std::vector<double>(times[r].begin(), times[r].begin() + 20));
                const Spread late = spreadOf(std::vector<double>(times[r].end() - 20, times[r].end()));
                std::printf("%-10s %-32s %11.0f %10.3f %10.3f   %8.3f %8.3f%s\n", scene.what,
                            kReadings[r].what, served.median, time.median, time.max, early.median,
                            late.median, sameName[r] ? "" : "  WRONG NAME");
                if (!sameName[r]) status = 1;
            }
        }
    }
    CoUninitialize();
    return status;
}
