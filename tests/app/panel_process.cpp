#include "panel_process.h"

#include "app/control_ids.h"
#include "support/window_search.h"
#include "util/codepage.h"

namespace {

std::wstring classOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

std::wstring captionOf(HWND window) {
    wchar_t caption[32] = {};
    GetWindowTextW(window, caption, 32);
    return caption;
}

}  // namespace

std::string testProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string folder = fromWide(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of('\\'));
}

PanelProcess::~PanelProcess() {
    if (process_ && waitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

bool PanelProcess::start() {
    const std::string executable = folder_ / "marrowpad.exe";
    if (!CopyFileW(toWide(testProgramFolder() + "\\marrowpad.exe").c_str(), toWide(executable).c_str(),
                   FALSE)) {
        return false;
    }
    return launch(executable);
}

bool PanelProcess::startBeside(const PanelProcess& first) {
    return launch(first.folder_ / "marrowpad.exe");
}

bool PanelProcess::launch(const std::string& executable) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = toWide("\"" + executable + "\"");
    // Started from the test's folder: the panel makes its own folder current.
    if (!CreateProcessW(toWide(executable).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        toWide(testProgramFolder()).c_str(), &startup, &started)) {
        return false;
    }
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;

    const bool shown = waitUntil(
        [&] {
            window_ = testwindows::findTopLevel([&](HWND window) {
                return testwindows::processOf(window) == processId_ && classOf(window) == L"Quorvel" &&
                       captionOf(window) == L"Marrowpad" && IsWindowVisible(window);
            });
            return window_ != nullptr;
        },
        15000);
    // Let the set-up that follows the window's creation finish before the test looks.
    return shown && SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) != 0;
}

HWND PanelProcess::control(int id) const {
    if (HWND direct = GetDlgItem(window_, id)) return direct;
    for (int group : {control_ids::remarkGroup, control_ids::quickReplyGroup}) {
        if (HWND inside = GetDlgItem(GetDlgItem(window_, group), id)) return inside;
    }
    return nullptr;
}

DWORD PanelProcess::waitForExit(DWORD milliseconds) const {
    if (WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

HWND PanelProcess::visiblePopupMenu() const {
    const DWORD panelThread = GetWindowThreadProcessId(window_, nullptr);
    return testwindows::findTopLevel([&](HWND window) {
        return classOf(window) == L"#32768" && IsWindowVisible(window) &&
               GetWindowThreadProcessId(window, nullptr) == panelThread;
    });
}
