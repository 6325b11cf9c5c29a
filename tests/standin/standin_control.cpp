#include "standin_control.h"

#include <atomic>
#include <sstream>

#include "log_text.h"

namespace standin {
namespace {

std::wstring folderOfThisExecutable() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// Quoted as CommandLineToArgvW reads it back.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::wstring freshLogPath() {
    static std::atomic<unsigned> counter{0};
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"standin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount64()) + L".log";
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK checkWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search->processId && !GetWindow(window, GW_OWNER) &&
        lstrcmpW(className, kWindowClass) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring executablePath() {
    return folderOfThisExecutable() + L"WeChat.exe";
}

HWND findMainWindow(DWORD processId, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        WindowSearch search{processId, nullptr};
        EnumWindows(checkWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount64() - start >= timeoutMs) return search.found;
        Sleep(20);
    }
}

LRESULT sendCommand(HWND window, const std::wstring& command, DWORD timeoutMs) {
    std::string text = toUtf8(command);
    COPYDATASTRUCT data{kCommandTag, static_cast<DWORD>(text.size()), text.empty() ? nullptr : &text[0]};
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, timeoutMs,
                             &reply)) {
        return -1;
    }
    return static_cast<LRESULT>(reply);
}

std::vector<LogEntry> readLog(const std::wstring& path) {
    std::vector<LogEntry> entries;
    // Shared for writing: the stand-in keeps the file open.
    handles::unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return entries;
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        entries.push_back(
            {std::stoull(line.substr(0, space)), unescapeLogText(fromUtf8(line.substr(space + 1)))});
    }
    return entries;
}

void pressKey(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

bool waitForForeground(HWND window, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    while (GetForegroundWindow() != window) {
        if (GetTickCount64() - start >= timeoutMs) return false;
        Sleep(5);
    }
    return true;
}

StandIn::StandIn(std::vector<std::wstring> arguments) {
    bool hasLog = false;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == L"--log") {
            hasLog = true;
            logPath_ = arguments[i + 1];
        }
    }
    if (!hasLog) {
        logPath_ = freshLogPath();
        ownLog_ = true;
        arguments.push_back(L"--log");
        arguments.push_back(logPath_);
    }
    std::wstring commandLine = quoted(executablePath());
    for (const std::wstring& arg : arguments) commandLine += L" " + quoted(arg);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
    WaitForInputIdle(info.hProcess, 10000);
    window_ = findMainWindow(processId_);
}

StandIn::~StandIn() {
    close();
    if (ownLog_) DeleteFileW(logPath_.c_str());
}

std::vector<std::wstring> StandIn::events() const {
    std::vector<std::wstring> events;
    for (LogEntry& entry : log()) events.push_back(std::move(entry.event));
    return events;
}

bool StandIn::waitForEvent(const std::wstring& event, DWORD timeoutMs) const {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        for (const LogEntry& entry : log()) {
            if (entry.event == event) return true;
        }
        if (GetTickCount64() - start >= timeoutMs) return false;
        // The caller's own windows are served meanwhile: the owner of what the test put on the clipboard
        // is asked about it when the stand-in pastes, and the paste waits for the answer.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(20);
    }
}

bool StandIn::close(DWORD timeoutMs) {
    if (!process_) return false;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    const bool ended = WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process_.get(), &exitCode) && exitCode == 0;
    if (WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
    process_.reset();
    window_ = nullptr;
    return ended;
}

}  // namespace standin
