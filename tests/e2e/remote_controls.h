// The running panel's controls read and driven from the test process, as another program on the desktop
// reaches them: window messages, posted mouse and key input, and for the list view a block of memory in
// the panel's own process (its messages carry pointers that must point there).
#pragma once

#include <windows.h>

#include <vector>

#include "util/gbk_text.h"

namespace remote {

// The window's text, asked of the window's own thread (WM_GETTEXT) in UTF-16 and given in code page 936.
Text textOf(HWND window);
// Replaces the text the way a program does (WM_SETTEXT); an edit box reports the change to its parent
// before this returns. False when the window did not answer.
bool setText(HWND window, const Text& text);
// A click of a button, posted: the program handles it while the test goes on watching.
void click(HWND button);
// A click of a button, sent: returns once the program has handled it (so not for one that opens a modal
// box). False when the button did not answer.
bool clickAndWait(HWND button);

// A report list view of another process.
class ListView {
public:
    explicit ListView(HWND list);
    ~ListView();
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    int rowCount() const;
    // The first selected row; -1 when none.
    int currentRow() const;
    Text cell(int row, int column) const;
    // Every row's text in `column`, top to bottom.
    TextArray column(int column) const;
    // The middle of the row, in the list's client coordinates.
    POINT rowCentre(int row) const;

    // Mouse input as the list receives it from the system, posted at a point of its client area.
    void rightClick(POINT at) const;
    void leftClick(POINT at) const;
    void doubleClick(POINT at) const;

private:
    HWND list_;
    HANDLE process_ = nullptr;
    void* block_ = nullptr;  // in the list's process: an item or a rectangle, then the text buffer
};

// A visible message box (dialog class "#32770") of the process with this caption; nullptr when none shows
// within `milliseconds`.
HWND findMessageBox(DWORD processId, const Text& caption, DWORD milliseconds = 5000);
// The message the box shows.
Text messageBoxText(HWND box);
// The ids of the buttons the box shows (IDOK, IDCANCEL, ...), in creation order.
std::vector<int> messageBoxButtons(HWND box);
// Presses one of the box's buttons.
void press(HWND box, int buttonId);

}  // namespace remote
