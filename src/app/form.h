// The form of the main window: every control with its place, size, texts, colours and settings, and the
// quick reply popup menu.
#pragma once

#include <windows.h>

#include "app/panel_controls.h"
#include "util/handles.h"

namespace form {

// Outer size of the main window at creation, frame and title bar included, at 96 DPI. Like every place and
// size of the form it is scaled to the window's DPI (app/dpi_scale.h).
constexpr int kWindowWidth = 348;
constexpr int kWindowHeight = 755;
constexpr char kWindowClass[] = "Quorvel";
constexpr char kCaption[] = "Marrowpad";
// Fixed frame, system menu and minimise button, no maximise button.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW;

// Creates every control of the form under `mainWindow`, placed for `dpi` and drawn in `font`, and attaches
// `controls` to them (the frame and the timer included). False when a control cannot be created.
bool build(HWND mainWindow, PanelControls& controls, int dpi, HFONT font);

// Places and sizes every control as the form does at `dpi` and gives it `font`: when the window moves to a
// screen of another DPI. The quick reply group and its list get the form's heights, for the layout rule to
// adjust to the window.
void fitToDpi(HWND mainWindow, int dpi, HFONT font);

// The form's font for `dpi`. The window owns it; the controls only use it.
handles::unique_gdiobj createFont(int dpi);

// The popup menu "菜单" with its items and separators, commands from control_ids.
handles::unique_hmenu buildQuickReplyMenu();

// How a control of the form colours its text. Controls without an entry keep the system's look.
struct Look {
    COLORREF text;
    bool transparent;  // no background of its own: what lies beneath shows through
};
const Look* lookOf(int controlId);

}  // namespace form
