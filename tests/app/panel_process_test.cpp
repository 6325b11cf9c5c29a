// The real panel, started as its own process and inspected from outside.
#include "panel_process.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/control_ids.h"
#include "screen_capture.h"

namespace id = control_ids;

namespace {

// Moves the pointer to `point` as the display has it. Wine asks the display where the pointer is once its
// own record is a little old, and a move made from a thread without a window on the display may not reach
// the display at all: the panel would then see the pointer where it was before. So the move is made from a
// thread with a window, and waited for until this thread, reading the display too, sees it settled.
bool placeCursor(POINT point) {
    HWND own = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr,
                               nullptr, nullptr, nullptr);
    bool placed = false;
    for (int attempt = 0; attempt < 20 && !placed; ++attempt) {
        SetCursorPos(point.x, point.y);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(250);  // past the age at which the display is asked again
        POINT now{};
        placed = GetCursorPos(&now) && now.x == point.x && now.y == point.y;
    }
    DestroyWindow(own);
    return placed;
}

RECT rectIn(HWND window, HWND container) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int heightOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

std::string textOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class PanelProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(panel.start()) << "marrowpad.exe did not show its window"; }

    HWND control(int controlId) const {
        HWND found = panel.control(controlId);
        EXPECT_NE(found, nullptr) << "control " << controlId;
        return found;
    }

    PanelProcess panel;
};

TEST_F(PanelProcessTest, MainWindowIsAFixedPanelCentredOnTheScreen) {
    HWND window = panel.window();
    EXPECT_EQ(classOf(window), "Quorvel");
    EXPECT_EQ(textOf(window), "Marrowpad");
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 348);
    EXPECT_EQ(rect.bottom - rect.top, 755);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 348) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 755) / 2);

    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the user cannot resize the frame";
    EXPECT_FALSE(style & WS_CHILD);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_FALSE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "an unowned window is shown in the taskbar";
}

TEST_F(PanelProcessTest, ControlsSitWhereTheFormPutsThem) {
    struct Expected {
        int id;
        int container;  // 0: the main window
        const char* windowClass;
        int x, y, width, height;
        const char* text;
    };
    // 分组框2 and 超级列表框1 already follow the layout for the window's creation height of 755.
    const Expected controls[] = {
        {id::remarkGroup, 0, "Button", 0, 0, 340, 350, ""},                              // 分组框1
        {id::clientLabel, id::remarkGroup, "Static", 10, 16, 74, 24, "当前微信："},      // 标签3
        {id::clientCombo, id::remarkGroup, "ComboBox", 77, 18, 131, 20, ""},             // 组合框1
        {id::rescanLabel, id::remarkGroup, "Static", 221, 16, 107, 24, "←←多开可切换"},  // 标签4
        {id::friendLabel, id::remarkGroup, "Static", 8, 49, 80, 24, "好友微信："},       // 标签1
        {id::nicknameBox, id::remarkGroup, "Edit", 75, 49, 153, 23, ""},  // 编辑框_好友昵称
        {id::refreshHintLabel, id::remarkGroup, "Static", 233, 48, 98, 24, "点击↑↑刷新微信"},  // 标签5
        {id::dockLeftRadio, id::remarkGroup, "Button", 6, 77, 80, 14, "左侧吸附"},  // 单选框_左
        {id::remarkHintLabel, id::remarkGroup, "Static", 88, 84, 248, 16,
         "信息需要自己手动备注,记得[保存]噢"},                                       // 标签2
        {id::dockRightRadio, id::remarkGroup, "Button", 6, 94, 80, 18, "右侧吸附"},  // 单选框_右
        {id::remarkBox, id::remarkGroup, "Edit", 3, 113, 333, 232, ""},              // 编辑框_备注
        {id::saveButton, id::remarkGroup, "Button", 287, 309, 48, 32, "保存"},       // 按钮1
        {id::statusLabel, id::remarkGroup, "Static", 218, 315, 63, 24, ""},          // 透明标签1
        {id::quickReplyGroup, 0, "Button", 0, 352, 340, 364, "快捷回复"},            // 分组框2
        {id::replyInputBox, id::quickReplyGroup, "Edit", 3, 14, 284, 56, ""},        // 编辑框1
        {id::addButton, id::quickReplyGroup, "Button", 288, 30, 48, 37, "新增"},     // 按钮_新增
        {id::replyList, id::quickReplyGroup, "SysListView32", 2, 73, 335, 308, ""},  // 超级列表框1
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE("control " + std::to_string(expected.id));
        HWND container = expected.container ? control(expected.container) : panel.window();
        HWND window = control(expected.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetParent(window), container);
        EXPECT_EQ(classOf(window), expected.windowClass);
        const RECT rect = rectIn(window, container);
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, expected.y);
        EXPECT_EQ(rect.right - rect.left, expected.width);
        EXPECT_EQ(rect.bottom - rect.top, expected.height);
        EXPECT_EQ(textOf(window), expected.text);
        EXPECT_TRUE(IsWindowVisible(window));
    }
}

TEST_F(PanelProcessTest, ControlsHaveTheirSettings) {
    auto style = [&](int controlId) { return GetWindowLongPtrA(control(controlId), GWL_STYLE); };

    EXPECT_EQ(style(id::clientCombo) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageA(control(id::clientCombo), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(control(id::clientCombo), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_TRUE(style(id::rescanLabel) & SS_NOTIFY) << "标签4 reports double-clicks";

    EXPECT_FALSE(style(id::nicknameBox) & ES_MULTILINE);
    EXPECT_TRUE(style(id::nicknameBox) & ES_AUTOHSCROLL);
    for (int box : {id::remarkBox, id::replyInputBox}) {
        const LONG_PTR boxStyle = style(box);
        EXPECT_TRUE(boxStyle & ES_MULTILINE);
        EXPECT_TRUE(boxStyle & ES_WANTRETURN) << "Enter starts a new line";
        EXPECT_TRUE(boxStyle & WS_VSCROLL);
        EXPECT_FALSE(boxStyle & (ES_AUTOHSCROLL | WS_HSCROLL)) << "long lines wrap";
    }

    EXPECT_EQ(style(id::dockLeftRadio) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_EQ(style(id::dockRightRadio) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_EQ(SendMessageA(control(id::dockLeftRadio), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(control(id::dockRightRadio), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(GetWindowLongPtrA(control(id::statusLabel), GWL_EXSTYLE) & WS_EX_TRANSPARENT);

    HWND list = control(id::replyList);
    const LONG_PTR listStyle = style(id::replyList);
    EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(listStyle & LVS_SINGLESEL);
    EXPECT_TRUE(listStyle & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(listStyle & (LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_NOCOLUMNHEADER));
    const LRESULT extended = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 40);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 280);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(PanelProcessTest, QuickReplyGroupFollowsTheWindowHeight) {
    HWND group = control(id::quickReplyGroup);
    HWND list = control(id::replyList);
    const struct {
        int windowHeight, groupHeight, listHeight;
    } cases[] = {{800, 409, 353}, {755, 364, 308}, {391, 0, 0}, {300, 0, 0}, {755, 364, 308}};
    for (const auto& c : cases) {
        SCOPED_TRACE("window height " + std::to_string(c.windowHeight));
        ASSERT_TRUE(SetWindowPos(panel.window(), nullptr, 0, 0, 348, c.windowHeight,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
        EXPECT_TRUE(waitUntil([&] {
            return heightOf(group) == c.groupHeight && heightOf(list) == c.listHeight;
        })) << "分组框2 "
            << heightOf(group) << ", 超级列表框1 " << heightOf(list);
        // Widths and places stay.
        EXPECT_EQ(rectIn(group, panel.window()).top, 352);
        EXPECT_EQ(rectIn(list, group).top, 73);
        RECT listRect{};
        GetWindowRect(list, &listRect);
        EXPECT_EQ(listRect.right - listRect.left, 335);
    }
}

TEST_F(PanelProcessTest, MinimisingEmptiesTheQuickReplyGroupAndRestoringRefillsIt) {
    HWND group = control(id::quickReplyGroup);
    HWND list = control(id::replyList);
    ShowWindow(panel.window(), SW_MINIMIZE);
    EXPECT_TRUE(waitUntil([&] {
        return IsIconic(panel.window()) && heightOf(group) == 0 && heightOf(list) == 0;
    })) << "分组框2 "
        << heightOf(group) << ", 超级列表框1 " << heightOf(list);
    ShowWindow(panel.window(), SW_RESTORE);
    EXPECT_TRUE(waitUntil([&] { return heightOf(group) == 364 && heightOf(list) == 308; }))
        << "分组框2 " << heightOf(group) << ", 超级列表框1 " << heightOf(list);
}

TEST_F(PanelProcessTest, ScreenShowsTheColouredTexts) {
    // A friend name in the nickname box shows its text colour too.
    SendMessageA(control(id::nicknameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("好友甲 Friend"));
    RECT client{};
    GetClientRect(panel.window(), &client);
    MapWindowPoints(panel.window(), nullptr, reinterpret_cast<POINT*>(&client), 2);

    // In the capture's coordinates (the client area's top-left corner at 0, 0).
    auto partOf = [&](int controlId) { return rectIn(control(controlId), panel.window()); };
    const struct {
        const char* what;
        RECT part;
        COLORREF colour;
    } texts[] = {
        {"标签4", partOf(id::rescanLabel), RGB(255, 0, 255)},
        {"标签1", partOf(id::friendLabel), RGB(0, 0, 255)},
        {"标签2", partOf(id::remarkHintLabel), RGB(128, 160, 128)},
        {"编辑框_好友昵称", partOf(id::nicknameBox), RGB(255, 0, 0)},
        {"分组框2 caption", {0, 352, 340, 352 + 14}, RGB(255, 0, 0)},
    };

    ScreenCapture capture;
    const bool allShown = waitUntil([&] {
        capture = ScreenCapture::of(client);
        for (const auto& text : texts) {
            if (!capture.contains(text.part, text.colour)) return false;
        }
        return true;
    });
    ASSERT_FALSE(capture.empty());
    EXPECT_TRUE(capture.saveBmp(testProgramFolder() + "\\..\\panel.bmp"));
    EXPECT_TRUE(allShown);
    for (const auto& text : texts) {
        EXPECT_TRUE(capture.contains(text.part, text.colour)) << text.what << " lacks its text colour";
    }
    // The labels without a colour of their own are drawn in the system's text colour.
    EXPECT_TRUE(capture.contains(partOf(id::clientLabel), GetSysColor(COLOR_WINDOWTEXT)));
}

// Esc closes the panel whichever control has the focus (0: the main window itself), and the process ends
// with exit code 0.
class EscapeTest : public PanelProcessTest, public ::testing::WithParamInterface<int> {};

TEST_P(EscapeTest, PostedEscEndsTheProgram) {
    HWND target = GetParam() == 0 ? panel.window() : control(GetParam());
    ASSERT_TRUE(PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1));
    EXPECT_EQ(panel.waitForExit(10000), 0u);
}

INSTANTIATE_TEST_SUITE_P(Controls, EscapeTest,
                         ::testing::Values(id::remarkBox, id::nicknameBox, id::replyInputBox, id::replyList,
                                           id::clientCombo, id::saveButton, id::dockLeftRadio, 0));

TEST_F(PanelProcessTest, EscTypedInTheRemarkBoxEndsTheProgram) {
    HWND remarkBox = control(id::remarkBox);
    const DWORD panelThread = GetWindowThreadProcessId(panel.window(), nullptr);
    ASSERT_TRUE(SetForegroundWindow(panel.window()));
    AttachThreadInput(GetCurrentThreadId(), panelThread, TRUE);
    SetFocus(remarkBox);
    const bool focused = GetFocus() == remarkBox;
    AttachThreadInput(GetCurrentThreadId(), panelThread, FALSE);
    ASSERT_TRUE(focused);
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(panel.waitForExit(10000), 0u);
}

TEST_F(PanelProcessTest, ClosingTheWindowEndsTheProgramWithExitCodeZero) {
    ASSERT_TRUE(PostMessageA(panel.window(), WM_CLOSE, 0, 0));
    EXPECT_EQ(panel.waitForExit(10000), 0u);
}

TEST_F(PanelProcessTest, RightClickOnTheListPopsUpTheMenuBesideTheCursorAndEscDismissesIt) {
    HWND list = control(id::replyList);
    RECT listRect{};
    GetWindowRect(list, &listRect);
    ASSERT_TRUE(placeCursor({listRect.left + 100, listRect.top + 80})) << "the pointer did not move";
    const LPARAM at = MAKELPARAM(100, 80);
    PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(list, WM_RBUTTONUP, 0, at);

    HWND menu = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (menu = panel.visiblePopupMenu()) != nullptr; })) << "no popup menu";
    POINT now{};
    GetCursorPos(&now);
    RECT menuRect{};
    GetWindowRect(menu, &menuRect);
    EXPECT_EQ(menuRect.left, now.x + 3);
    EXPECT_EQ(menuRect.top, now.y + 3);

    // Esc goes to the menu, not to the panel: the menu closes and the panel stays.
    PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(menu); })) << "the menu stayed open";
    EXPECT_EQ(panel.waitForExit(500), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindowVisible(panel.window()));
}

}  // namespace
