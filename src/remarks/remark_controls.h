// What the remark procedures need of the panel's controls. The panel's own control wrappers fit
// through the adapters below, e.g. `TextFieldOf<EditBox> nicknameField{nicknameBox};`.
#pragma once

#include "util/gbk_text.h"

// An edit box: its text, read and written.
class TextField {
public:
    virtual ~TextField() = default;
    virtual Text text() const = 0;
    virtual void setText(const Text& text) = 0;
};

// The status label of a save: its text and whether it shows.
class StatusLabel {
public:
    virtual ~StatusLabel() = default;
    virtual void setText(const Text& text) = 0;
    virtual void setVisible(bool visible) = 0;
};

// Any control with `Text text() const` and `void setText(const Text&)`.
template <class Control>
class TextFieldOf final : public TextField {
public:
    explicit TextFieldOf(Control& control) : control_(control) {}
    Text text() const override { return control_.text(); }
    void setText(const Text& text) override { control_.setText(text); }

private:
    Control& control_;
};

// Any control with `void setText(const Text&)` and `void setVisible(bool)`.
template <class Control>
class StatusLabelOf final : public StatusLabel {
public:
    explicit StatusLabelOf(Control& control) : control_(control) {}
    void setText(const Text& text) override { control_.setText(text); }
    void setVisible(bool visible) override { control_.setVisible(visible); }

private:
    Control& control_;
};
