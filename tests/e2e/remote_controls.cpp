#include "remote_controls.h"

#include <commctrl.h>

#include <string>

#include "support/window_search.h"
#include "util/codepage.h"

namespace remote {

namespace {

constexpr UINT kAnswerMilliseconds = 5000;
constexpr SIZE_T kTextBytes = 64 * 1024;

LRESULT ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMilliseconds, &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

Text classOf(HWND window) {
    wchar_t name[64] = {};
    const int length = GetClassNameW(window, name, 64);
    return fromWide(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

}  // namespace

Text textOf(HWND window) {
    const LRESULT length = ask(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return Text();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return fromWide(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

bool setText(HWND window, const Text& text) {
    const std::wstring wide = toWide(text);
    return ask(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())) == TRUE;
}

void click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

bool clickAndWait(HWND button) {
    return ask(button, BM_CLICK, 0, 0) != -1;
}

ListView::ListView(HWND list) : list_(list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) {
        block_ = VirtualAllocEx(process_, nullptr, sizeof(LVITEMW) + kTextBytes, MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE);
    }
}

ListView::~ListView() {
    if (block_) VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

int ListView::rowCount() const {
    return static_cast<int>(ask(list_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::currentRow() const {
    return static_cast<int>(ask(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

Text ListView::cell(int row, int column) const {
    if (!block_) return Text();
    auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(block_) + sizeof(LVITEMW));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = static_cast<int>(kTextBytes / sizeof(wchar_t));
    if (!WriteProcessMemory(process_, block_, &item, sizeof item, nullptr)) return Text();
    const LRESULT copied =
        ask(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block_));
    if (copied <= 0) return Text();
    std::wstring text(static_cast<std::size_t>(copied), L'\0');
    if (!ReadProcessMemory(process_, remoteText, text.data(), text.size() * sizeof(wchar_t), nullptr)) {
        return Text();
    }
    return fromWide(text);
}

TextArray ListView::column(int column) const {
    TextArray texts;
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) texts.push_back(cell(row, column));
    return texts;
}

POINT ListView::rowCentre(int row) const {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    if (!block_ || !WriteProcessMemory(process_, block_, &rect, sizeof rect, nullptr) ||
        !ask(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block_)) ||
        !ReadProcessMemory(process_, block_, &rect, sizeof rect, nullptr)) {
        return POINT{-1, -1};
    }
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ListView::rightClick(POINT at) const {
    const LPARAM point = MAKELPARAM(at.x, at.y);
    PostMessageW(list_, WM_RBUTTONDOWN, MK_RBUTTON, point);
    PostMessageW(list_, WM_RBUTTONUP, 0, point);
}

void ListView::leftClick(POINT at) const {
    const LPARAM point = MAKELPARAM(at.x, at.y);
    PostMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list_, WM_LBUTTONUP, 0, point);
}

void ListView::doubleClick(POINT at) const {
    // What the system delivers for a double-click: a click, then the second press as a double-click.
    leftClick(at);
    const LPARAM point = MAKELPARAM(at.x, at.y);
    PostMessageW(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(list_, WM_LBUTTONUP, 0, point);
}

HWND findMessageBox(DWORD processId, const Text& caption, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND box = testwindows::findTopLevel([&](HWND window) {
            return testwindows::processOf(window) == processId && IsWindowVisible(window) &&
                   classOf(window) == "#32770" && textOf(window) == caption;
        });
        if (box) return box;
        if (GetTickCount() - start > milliseconds) return nullptr;
        Sleep(20);
    }
}

Text messageBoxText(HWND box) {
    // The message is the box's one static control with a text; the icon beside it has none.
    for (HWND child : childrenOf(box)) {
        if (classOf(child) != "Static") continue;
        const Text text = textOf(child);
        if (!text.empty()) return text;
    }
    return Text();
}

std::vector<int> messageBoxButtons(HWND box) {
    std::vector<int> ids;
    for (HWND child : childrenOf(box)) {
        if (classOf(child) == "Button" && IsWindowVisible(child)) ids.push_back(GetDlgCtrlID(child));
    }
    return ids;
}

void press(HWND box, int buttonId) {
    click(GetDlgItem(box, buttonId));
}

}  // namespace remote
