// The real marrowpad.exe, run the way a user runs it: copied into a folder of its own and started there.
// The tests look at it from outside, through its windows, as a user's tools would.
#pragma once

#include <windows.h>

#include <string>

#include "support/temp_files.h"
#include "util/handles.h"

class PanelProcess {
public:
    PanelProcess() = default;
    PanelProcess(const PanelProcess&) = delete;
    PanelProcess& operator=(const PanelProcess&) = delete;
    // Ends the process when it still runs; its folder goes with it.
    ~PanelProcess();

    // Copies marrowpad.exe (beside this test program) into a new temporary folder, starts it with another
    // current directory, and waits until its main window ("Quorvel", "Marrowpad") is visible.
    bool start();
    // The same with the copy's code page switched to UTF-8 (65001), as Windows' "Use Unicode UTF-8 for
    // worldwide language support" switches it for every program: its manifest declares the active code page.
    bool startWithUtf8CodePage();
    // The same from a folder of this name inside the temporary folder (a name that GBK may not hold).
    bool startInFolder(const std::wstring& name);
    // Starts a second copy of the program that `first` runs, from its folder: both work on the same files.
    bool startBeside(const PanelProcess& first);

    // The program's folder, where its files appear; it exists before start, to be filled beforehand.
    const Text& folder() const { return folder_.path(); }
    HANDLE process() const { return process_.get(); }

    DWORD processId() const { return processId_; }
    HWND window() const { return window_; }
    // A control of the main window by its id: a group box, or a control inside one.
    HWND control(int id) const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE when it still runs after `milliseconds`.
    DWORD waitForExit(DWORD milliseconds) const;
    // The popup menu the program shows now, or nullptr.
    HWND visiblePopupMenu() const;

private:
    bool launch(const std::wstring& executable);

    testfiles::TempDir folder_;
    handles::unique_handle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// Polls `condition` every 20 ms until it holds or `milliseconds` pass; whether it held.
template <typename Condition>
bool waitUntil(Condition condition, DWORD milliseconds = 5000) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(20);
    }
}

// The folder of this test program, without a trailing separator.
std::string testProgramFolder();
