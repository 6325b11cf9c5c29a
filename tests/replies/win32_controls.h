// Real Win32 controls for the quick reply tests: the report list with its two columns, the input box and
// the add button, on a top-level window of the test process. Their members have the names of the shell's
// control wrappers, so the tests drive them through the same adapters as the program.
#pragma once

#include <windows.h>

#include "util/gbk_text.h"

class TestListView {
public:
    explicit TestListView(HWND list) : list_(list) {}
    HWND handle() const { return list_; }
    int currentRow() const;
    void setCurrentRow(int row);
    void insertRow(int row);
    void setCell(int row, int column, const Text& text);
    Text cell(int row, int column) const;
    void deleteRow(int row);
    void deleteAll();
    int rowCount() const;
    void ensureVisible(int row);

private:
    HWND list_;
};

// Edit box text and button caption: both are the window text.
class TestTextControl {
public:
    explicit TestTextControl(HWND control) : control_(control) {}
    HWND handle() const { return control_; }
    Text text() const;
    void setText(const Text& text);
    Text caption() const { return text(); }
    void setCaption(const Text& caption) { setText(caption); }

private:
    HWND control_;
};

// The quick reply part of the panel: 编辑框1, 按钮_新增 ("新增") and 超级列表框1.
class TestPanel {
public:
    TestPanel();
    ~TestPanel();
    TestPanel(const TestPanel&) = delete;
    TestPanel& operator=(const TestPanel&) = delete;

    HWND window() const { return window_; }
    TestTextControl input{nullptr};
    TestTextControl addButton{nullptr};
    TestListView list{nullptr};

private:
    HWND window_ = nullptr;
};
