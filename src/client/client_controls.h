// What following a WeChat instance needs of the panel's controls: the drop-down of instances 组合框1, the
// tracking timer 时钟1, the nickname box 编辑框_好友昵称, the docking radio buttons and the main window
// itself. The shell's control wrappers fit through the adapters at the end, e.g.
// `client::ChoiceListOf<ComboBox> instances(clientCombo);`.
#pragma once

#include "util/gbk_text.h"

namespace client {

// A drop-down list of texts. Positions count from 0; -1 is no selection.
class ChoiceList {
public:
    virtual ~ChoiceList() = default;
    virtual void clear() = 0;
    virtual void append(const Text& entry) = 0;
    virtual int count() const = 0;
    virtual int selection() const = 0;
    // Raises no event.
    virtual void setSelection(int position) = 0;
};

// A periodic timer: setting the period it already has changes nothing.
class PeriodicTimer {
public:
    virtual ~PeriodicTimer() = default;
    virtual void setPeriod(int milliseconds) = 0;
};

// An edit box; writing its text raises its content-changed event before the write returns.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual Text text() const = 0;
    virtual void setText(const Text& text) = 0;
};

// A radio button; writing it raises no event and leaves the other buttons alone.
class Toggle {
public:
    virtual ~Toggle() = default;
    virtual bool checked() const = 0;
    virtual void setChecked(bool checked) = 0;
};

// The main window as the docking moves it: outer width, left, top and height in screen pixels, and the
// topmost band (every write makes the platform call, also when nothing changes).
class DockedWindow {
public:
    virtual ~DockedWindow() = default;
    virtual int width() const = 0;
    virtual void setLeft(int left) = 0;
    virtual void setTop(int top) = 0;
    virtual void setHeight(int height) = 0;
    virtual void setTopmost(bool topmost) = 0;
};

// Adapters for any control wrapper whose members have these names.
template <typename ComboBox>
class ChoiceListOf final : public ChoiceList {
public:
    explicit ChoiceListOf(ComboBox& combo) : combo_(combo) {}
    void clear() override { combo_.clear(); }
    void append(const Text& entry) override { combo_.append(entry); }
    int count() const override { return combo_.count(); }
    int selection() const override { return combo_.selection(); }
    void setSelection(int position) override { combo_.setSelection(position); }

private:
    ComboBox& combo_;
};

template <typename Timer>
class PeriodicTimerOf final : public PeriodicTimer {
public:
    explicit PeriodicTimerOf(Timer& timer) : timer_(timer) {}
    void setPeriod(int milliseconds) override { timer_.setPeriod(milliseconds); }

private:
    Timer& timer_;
};

template <typename EditBox>
class TextBoxOf final : public TextBox {
public:
    explicit TextBoxOf(EditBox& box) : box_(box) {}
    Text text() const override { return box_.text(); }
    void setText(const Text& text) override { box_.setText(text); }

private:
    EditBox& box_;
};

template <typename RadioButton>
class ToggleOf final : public Toggle {
public:
    explicit ToggleOf(RadioButton& button) : button_(button) {}
    bool checked() const override { return button_.checked(); }
    void setChecked(bool checked) override { button_.setChecked(checked); }

private:
    RadioButton& button_;
};

template <typename WindowFrame>
class DockedWindowOf final : public DockedWindow {
public:
    explicit DockedWindowOf(WindowFrame& frame) : frame_(frame) {}
    int width() const override { return frame_.width(); }
    void setLeft(int left) override { frame_.setLeft(left); }
    void setTop(int top) override { frame_.setTop(top); }
    void setHeight(int height) override { frame_.setHeight(height); }
    void setTopmost(bool topmost) override { frame_.setTopmost(topmost); }

private:
    WindowFrame& frame_;
};

}  // namespace client
