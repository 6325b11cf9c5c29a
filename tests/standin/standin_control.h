// Driving the stand-in chat client from a test:
//
//   standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
//   ASSERT_TRUE(client.started());
//   client.command(L"chat 王五");
//   client.waitForEvent(L"send 你好");
//
// The stand-in is WeChat.exe in the folder of the running test executable; each StandIn logs its input box
// to a file of its own and is closed when the StandIn goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "standin_protocol.h"
#include "util/handles.h"

namespace standin {

struct LogEntry {
    std::uint64_t ms;    // GetTickCount64 when the stand-in logged it
    std::wstring event;  // e.g. L"keydown 56", L"send 你好" (unescaped)
};

// WeChat.exe beside the running executable.
std::wstring executablePath();
// The stand-in's main window of process `processId` (its class, no owner), waiting up to `timeoutMs` for it.
HWND findMainWindow(DWORD processId, DWORD timeoutMs = 10000);
// Sends one command; its reply, or -1 when it was not answered within `timeoutMs`.
LRESULT sendCommand(HWND window, const std::wstring& command, DWORD timeoutMs = 10000);
// The entries of an input log; none when the file is missing.
std::vector<LogEntry> readLog(const std::wstring& path);

// Keyboard input for tests that type into the stand-in: one key down and up, through keybd_event.
void pressKey(BYTE vk);
// Waits until `window` is the foreground window (under Wine it becomes so a few ms after the request).
bool waitForForeground(HWND window, DWORD timeoutMs = 1000);

class StandIn {
public:
    // Starts the stand-in with these arguments, adding "--log" with a fresh file unless given, and waits
    // until its main window exists.
    explicit StandIn(std::vector<std::wstring> arguments = {});
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    bool started() const { return window_ != nullptr; }
    DWORD processId() const { return processId_; }
    HANDLE process() const { return process_.get(); }
    HWND window() const { return window_; }
    const std::wstring& logPath() const { return logPath_; }

    LRESULT command(const std::wstring& text, DWORD timeoutMs = 10000) const {
        return sendCommand(window_, text, timeoutMs);
    }
    long callsServed() const { return static_cast<long>(command(L"calls")); }

    std::vector<LogEntry> log() const { return readLog(logPath_); }
    std::vector<std::wstring> events() const;  // the log's events without their times
    // Waits until `event` has been logged, handling the calling thread's messages meanwhile; false when it
    // was not within `timeoutMs`.
    bool waitForEvent(const std::wstring& event, DWORD timeoutMs = 5000) const;
    // Asks the stand-in to close and waits for it to end; it is ended by force after `timeoutMs`. Returns
    // whether it ended by itself with exit code 0.
    bool close(DWORD timeoutMs = 5000);

private:
    handles::unique_handle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
    std::wstring logPath_;
    bool ownLog_ = false;
};

}  // namespace standin
