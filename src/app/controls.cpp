#include "app/controls.h"

#include <commctrl.h>

#include <vector>

#include "app/control_rules.h"
#include "util/codepage.h"

namespace {

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The outer rectangle of a child in its parent's client coordinates (screen coordinates for a top-level
// window).
RECT rectInParent(HWND window) {
    RECT rect = windowRect(window);
    if (HWND parent = GetParent(window); parent && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

void moveAndSize(HWND window, const RECT& rect) {
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

Text windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return Text();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return fromWide(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void setWindowText(HWND window, const Text& text) {
    SetWindowTextW(window, toWide(text).c_str());
}

}  // namespace

int Control::height() const {
    const RECT rect = windowRect(handle_);
    return rect.bottom - rect.top;
}

void Control::setHeight(int height) {
    RECT rect = rectInParent(handle_);
    rect.bottom = rect.top + control_rules::nonNegative(height);
    moveAndSize(handle_, rect);
}

int WindowFrame::left() const {
    return windowRect(handle_).left;
}
int WindowFrame::top() const {
    return windowRect(handle_).top;
}
int WindowFrame::width() const {
    const RECT rect = windowRect(handle_);
    return rect.right - rect.left;
}

void WindowFrame::setLeft(int left) {
    SetWindowPos(handle_, nullptr, left, top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowFrame::setTop(int top) {
    SetWindowPos(handle_, nullptr, left(), top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowFrame::setWidth(int width) {
    RECT rect = rectInParent(handle_);
    rect.right = rect.left + control_rules::nonNegative(width);
    moveAndSize(handle_, rect);
}

void WindowFrame::setTopmost(bool topmost) {
    SetWindowPos(handle_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Text EditBox::text() const {
    return windowText(handle_);
}

void EditBox::setText(const Text& text) {
    // The box's own EN_CHANGE (sent by some boxes for a program's write, not by others) is held back
    // during the write, so that the handler runs exactly once whatever the box does.
    const bool outerWrite = writing_;
    writing_ = true;
    setWindowText(handle_, text);
    writing_ = outerWrite;
    if (contentChanged_) contentChanged_();
}

void EditBox::nativeContentChanged() {
    if (!writing_ && contentChanged_) contentChanged_();
}

Text Label::text() const {
    return windowText(handle_);
}

void Label::setText(const Text& text) {
    setWindowText(handle_, text);
    // A label without a background of its own cannot erase its old text: what lies beneath it is painted
    // again, then the label over that. The order is made here because Wine does not hold a transparent
    // window's painting back until the windows beneath it have painted.
    if (GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_TRANSPARENT) {
        HWND parent = GetParent(handle_);
        const RECT rect = rectInParent(handle_);
        RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
        for (HWND below = GetWindow(handle_, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
            UpdateWindow(below);
        }
        UpdateWindow(handle_);
    }
}

bool Label::visible() const {
    return IsWindowVisible(handle_) != FALSE;
}

void Label::setVisible(bool visible) {
    ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

Text Button::caption() const {
    return windowText(handle_);
}

void Button::setCaption(const Text& caption) {
    setWindowText(handle_, caption);
}

bool RadioButton::checked() const {
    return SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::setChecked(bool checked) {
    SendMessageW(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int ComboBox::selection() const {
    return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
}

void ComboBox::setSelection(int position) {
    // CB_SETCURSEL sends no CBN_SELCHANGE: a selection made by the program raises no event.
    const int clamped = control_rules::clampSelection(position, count());
    SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(clamped), 0);
}

void ComboBox::clear() {
    SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
}

void ComboBox::append(const Text& entry) {
    const std::wstring wide = toWide(entry);
    SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int ComboBox::count() const {
    return static_cast<int>(SendMessageW(handle_, CB_GETCOUNT, 0, 0));
}

int ListView::currentRow() const {
    return static_cast<int>(SendMessageW(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::setCurrentRow(int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (row < 0) {
        // Item -1 addresses every row.
        item.state = 0;
        item.stateMask = LVIS_SELECTED;
        SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        return;
    }
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::insertRow(int position) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = position;
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(handle_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListView::setCell(int row, int column, const Text& text) {
    std::wstring wide = toWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(handle_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

Text ListView::cell(int row, int column) const {
    // The list reports only how much it copied: grow the buffer until the text fits with room to spare.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const LRESULT copied = SendMessageW(handle_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                            reinterpret_cast<LPARAM>(&item));
        if (copied < static_cast<LRESULT>(buffer.size()) - 1)
            return fromWide(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
        buffer.resize(buffer.size() * 2);
    }
}

void ListView::deleteRow(int row) {
    SendMessageW(handle_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListView::deleteAll() {
    SendMessageW(handle_, LVM_DELETEALLITEMS, 0, 0);
}

int ListView::rowCount() const {
    return static_cast<int>(SendMessageW(handle_, LVM_GETITEMCOUNT, 0, 0));
}

void ListView::ensureVisible(int row) {
    SendMessageW(handle_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void Timer::setPeriod(int milliseconds) {
    const control_rules::TimerChange change = control_rules::timerChange(period_, milliseconds);
    if (change.action == control_rules::TimerAction::keep) return;
    KillTimer(owner_, id_);
    if (change.action == control_rules::TimerAction::restart) {
        SetTimer(owner_, id_, static_cast<UINT>(change.period), nullptr);
    }
    period_ = change.period;
}
