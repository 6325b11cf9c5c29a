// Start-up of the panel: the process environment, the globals, the main window and the message loop.
// The run ends inside the main window's destroy handler, through std::exit, which runs the exit routines
// registered here: releaseGlobals first, then the COM uninitialisation.
#include <ole2.h>
#include <windows.h>

#include <commctrl.h>  // after windows.h, which it builds on

#include <cstdlib>

#include "app/executable_directory.h"
#include "app/globals.h"
#include "app/main_window.h"

namespace {
void uninitializeCom() {
    OleUninitialize();
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // COM in a single-threaded apartment on this GUI thread, for the accessibility calls.
    if (SUCCEEDED(OleInitialize(nullptr))) std::atexit(uninitializeCom);
    // The database and the quick reply file are found beside the executable.
    noteExecutableDirectory();
    createGlobals();
    std::atexit(releaseGlobals);

    // The common control classes (the quick reply list view among them) exist only once registered.
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);

    MainWindow mainWindow(std::exit, executableDirectory());
    if (!mainWindow.create(instance)) return 0;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
