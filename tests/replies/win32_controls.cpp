#include "win32_controls.h"

#include <commctrl.h>

#include <vector>

int TestListView::currentRow() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TestListView::setCurrentRow(int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (row < 0) {
        SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        return;
    }
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

void TestListView::insertRow(int row) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>("");
    SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TestListView::setCell(int row, int column, const Text& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

Text TestListView::cell(int row, int column) const {
    for (std::size_t size = 256;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const auto length = static_cast<std::size_t>(
            SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size) return Text(buffer.data(), length);
    }
}

void TestListView::deleteRow(int row) {
    SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}
void TestListView::deleteAll() {
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
}
int TestListView::rowCount() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}
void TestListView::ensureVisible(int row) {
    SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

Text TestTextControl::text() const {
    const int length = GetWindowTextLengthA(control_);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control_, buffer.data(), length + 1);
    return Text(buffer.data(), static_cast<std::size_t>(got));
}

void TestTextControl::setText(const Text& text) {
    SetWindowTextA(control_, text.c_str());
}

TestPanel::TestPanel() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    window_ = CreateWindowExA(0, "STATIC", "Marrowpad", WS_OVERLAPPEDWINDOW, 0, 0, 348, 755, nullptr, nullptr,
                              nullptr, nullptr);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    input = TestTextControl(CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 3,
        366, 284, 56, window_, nullptr, instance, nullptr));
    addButton = TestTextControl(CreateWindowExA(0, "BUTTON", "新增", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                                288, 382, 48, 37, window_, nullptr, instance, nullptr));
    const HWND listWindow =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 2, 425, 335,
                        274, window_, nullptr, instance, nullptr);
    SendMessageA(listWindow, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const struct {
        const char* title;
        int width;
    } columns[] = {{"序号", 40}, {"内容", 280}};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<char*>(columns[i].title);
        SendMessageA(listWindow, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    list = TestListView(listWindow);
}

TestPanel::~TestPanel() {
    DestroyWindow(window_);
}
