// What the quick reply procedures need of the panel's controls: the list 超级列表框1, the input box 编辑框1
// and the add button 按钮_新增. The shell's control wrappers satisfy these through the adapters at the end,
// e.g. `replies::ReplyListOf<ListView> list(listView);`.
#pragma once

#include "util/gbk_text.h"

namespace replies {

// The list's columns: the row's number from 1, and the reply.
constexpr int kNumberColumn = 0;
constexpr int kReplyColumn = 1;

// A report list of text cells. Rows and columns count from 0; -1 is no row.
class ReplyList {
public:
    virtual ~ReplyList() = default;
    virtual int rowCount() const = 0;
    // The selected row, -1 when none; setting it selects that row and gives it the focus, -1 selects none.
    virtual int currentRow() const = 0;
    virtual void setCurrentRow(int row) = 0;
    virtual void insertRow(int row) = 0;
    virtual void setCell(int row, int column, const Text& text) = 0;
    virtual Text cell(int row, int column) const = 0;
    virtual void deleteAll() = 0;
    virtual void ensureVisible(int row) = 0;
};

// An edit box's text.
class ReplyInput {
public:
    virtual ~ReplyInput() = default;
    virtual Text text() const = 0;
    virtual void setText(const Text& text) = 0;
};

// A push button's caption.
class ReplyButton {
public:
    virtual ~ReplyButton() = default;
    virtual Text caption() const = 0;
    virtual void setCaption(const Text& caption) = 0;
};

// Adapters for any control wrapper whose members have these names.
template <typename ListView>
class ReplyListOf final : public ReplyList {
public:
    explicit ReplyListOf(ListView& list) : list_(list) {}
    int rowCount() const override { return list_.rowCount(); }
    int currentRow() const override { return list_.currentRow(); }
    void setCurrentRow(int row) override { list_.setCurrentRow(row); }
    void insertRow(int row) override { list_.insertRow(row); }
    void setCell(int row, int column, const Text& text) override { list_.setCell(row, column, text); }
    Text cell(int row, int column) const override { return list_.cell(row, column); }
    void deleteAll() override { list_.deleteAll(); }
    void ensureVisible(int row) override { list_.ensureVisible(row); }

private:
    ListView& list_;
};

template <typename EditBox>
class ReplyInputOf final : public ReplyInput {
public:
    explicit ReplyInputOf(EditBox& box) : box_(box) {}
    Text text() const override { return box_.text(); }
    void setText(const Text& text) override { box_.setText(text); }

private:
    EditBox& box_;
};

template <typename Button>
class ReplyButtonOf final : public ReplyButton {
public:
    explicit ReplyButtonOf(Button& button) : button_(button) {}
    Text caption() const override { return button_.caption(); }
    void setCaption(const Text& caption) override { button_.setCaption(caption); }

private:
    Button& button_;
};

}  // namespace replies
