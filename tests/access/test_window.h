// A real top-level window of the test process, placed where a test needs it, that can answer WM_GETOBJECT
// with an accessible object of the test's.
#pragma once

#include <oleacc.h>
#include <windows.h>

class TestWindow {
public:
    // Hidden: showing and destroying a window costs about 2 s under Xvfb, and only what looks for windows at
    // a screen point needs to see it (ShowWindow then).
    TestWindow(int left, int top, int width, int height);
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    HWND handle() const { return window_; }
    // Answered for OBJID_WINDOW and OBJID_CLIENT while set; the test keeps it alive.
    IAccessible* served = nullptr;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};
