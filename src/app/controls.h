// Thin wrappers over the main window's controls, with the property meanings every handler relies on.
// A wrapper refers to a window it does not own: child windows go with their parent.
#pragma once

#include <windows.h>

#include <functional>

#include "util/gbk_text.h"

// Any window of the panel: the handle and the outer height.
class Control {
public:
    Control() = default;
    explicit Control(HWND handle) : handle_(handle) {}

    HWND handle() const { return handle_; }
    void attach(HWND handle) { handle_ = handle; }

    int height() const;
    // Resizes in height only; a negative height is applied as 0.
    void setHeight(int height);

protected:
    HWND handle_ = nullptr;
};

// The main window seen from outside: outer rectangle in screen coordinates, and the topmost band.
class WindowFrame : public Control {
public:
    using Control::Control;

    int left() const;
    int top() const;
    int width() const;
    // Move; the size stays.
    void setLeft(int left);
    void setTop(int top);
    // Resize in that dimension; a negative value is applied as 0.
    void setWidth(int width);
    // Every write makes the SetWindowPos call, also when nothing changes.
    void setTopmost(bool topmost);
};

class GroupBox : public Control {
public:
    using Control::Control;
};

class EditBox : public Control {
public:
    using Control::Control;

    Text text() const;
    // Replaces the text, then raises the content-changed handler exactly once before returning,
    // also when the new text equals the old one.
    void setText(const Text& text);

    void onContentChanged(std::function<void()> handler) { contentChanged_ = std::move(handler); }
    // The box's own change notification (EN_CHANGE), routed here by the window that receives it:
    // raises the handler for changes made by the user, not for those made by setText.
    void nativeContentChanged();

private:
    std::function<void()> contentChanged_;
    bool writing_ = false;
};

class Label : public Control {
public:
    using Control::Control;

    Text text() const;
    void setText(const Text& text);
    bool visible() const;
    void setVisible(bool visible);
};

class Button : public Control {
public:
    using Control::Control;

    Text caption() const;
    void setCaption(const Text& caption);
};

class RadioButton : public Control {
public:
    using Control::Control;

    bool checked() const;
    // Raises no event and leaves the other buttons of the pair alone.
    void setChecked(bool checked);
};

// A drop-down list that cannot be edited.
class ComboBox : public Control {
public:
    using Control::Control;

    // Position of the selected entry from 0; -1 when none.
    int selection() const;
    // Limited to -1 .. count() - 1 first; -1 selects nothing. Raises no event.
    void setSelection(int position);
    void clear();
    void append(const Text& entry);
    int count() const;
};

// A report-style list view.
class ListView : public Control {
public:
    using Control::Control;

    // Position of the first selected row from 0; -1 when none.
    int currentRow() const;
    // Selects the row and gives it the focus; -1 removes the selection.
    void setCurrentRow(int row);
    // A new empty row at `position` (at the end when past it).
    void insertRow(int position);
    void setCell(int row, int column, const Text& text);
    Text cell(int row, int column) const;
    void deleteRow(int row);
    void deleteAll();
    int rowCount() const;
    void ensureVisible(int row);
};

// A window timer whose ticks arrive as WM_TIMER with `id` at the owner window.
class Timer {
public:
    Timer() = default;
    Timer(HWND owner, UINT_PTR id) : owner_(owner), id_(id) {}

    // Milliseconds; 0 when stopped.
    int period() const { return period_; }
    // A negative period is taken as 0; the same period as now changes nothing (a running timer is not
    // restarted); otherwise the timer stops and, for a period above 0, starts again with it.
    void setPeriod(int milliseconds);

private:
    HWND owner_ = nullptr;
    UINT_PTR id_ = 0;
    int period_ = 0;
};
