// The form of the main window: every control with its place, size, texts, colours and settings, and the
// quick reply popup menu.
#pragma once

#include <windows.h>

#include "app/panel_controls.h"
#include "util/handles.h"

namespace form {

// Outer size of the main window at creation, frame and title bar included.
constexpr int kWindowWidth = 348;
constexpr int kWindowHeight = 755;
constexpr char kWindowClass[] = "Quorvel";
constexpr char kCaption[] = "Marrowpad";
// Fixed frame, system menu and minimise button, no maximise button.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW;

// Creates every control of the form under `mainWindow` and attaches `controls` to them (the frame and the
// timer included). False when a control cannot be created.
bool build(HWND mainWindow, PanelControls& controls);

// The popup menu "菜单" with its items and separators, commands from control_ids.
handles::unique_hmenu buildQuickReplyMenu();

// How a control of the form colours its text. Controls without an entry keep the system's look.
struct Look {
    COLORREF text;
    bool transparent;  // no background of its own: what lies beneath shows through
};
const Look* lookOf(int controlId);

}  // namespace form
