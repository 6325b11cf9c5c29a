#include "panel_process.h"

#include "app/control_ids.h"
#include "support/window_search.h"

namespace {

std::string classOf(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string captionOf(HWND window) {
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

}  // namespace

std::string testProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
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
    if (!CopyFileA((testProgramFolder() + "\\marrowpad.exe").c_str(), executable.c_str(), FALSE)) {
        return false;
    }
    return launch(executable);
}

bool PanelProcess::startBeside(const PanelProcess& first) {
    return launch(first.folder_ / "marrowpad.exe");
}

bool PanelProcess::launch(const std::string& executable) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string commandLine = "\"" + executable + "\"";
    // Started from the test's folder: the panel makes its own folder current.
    if (!CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        testProgramFolder().c_str(), &startup, &started)) {
        return false;
    }
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;

    const bool shown = waitUntil(
        [&] {
            window_ = testwindows::findTopLevel([&](HWND window) {
                return testwindows::processOf(window) == processId_ && classOf(window) == "Quorvel" &&
                       captionOf(window) == "Marrowpad" && IsWindowVisible(window);
            });
            return window_ != nullptr;
        },
        15000);
    // Let the set-up that follows the window's creation finish before the test looks.
    return shown && SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) != 0;
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
        return classOf(window) == "#32768" && IsWindowVisible(window) &&
               GetWindowThreadProcessId(window, nullptr) == panelThread;
    });
}
