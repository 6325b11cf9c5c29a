// The panel's own controls for the quick reply tests: the form of the program, built on a hidden window of
// the test process and driven through the shell's control wrappers, as the program drives them.
#pragma once

#include <windows.h>

#include "app/form.h"
#include "app/panel_controls.h"

class TestPanel {
    PanelControls controls_;
    handles::unique_gdiobj font_ = form::createFont(96);  // the form at 100 %

public:
    TestPanel();
    ~TestPanel();
    TestPanel(const TestPanel&) = delete;
    TestPanel& operator=(const TestPanel&) = delete;

    HWND window() const { return controls_.frame.handle(); }
    EditBox& input = controls_.replyInputBox;  // 编辑框1
    Button& addButton = controls_.addButton;   // 按钮_新增
    ListView& list = controls_.replyList;      // 超级列表框1
};
