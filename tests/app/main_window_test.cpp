// The main window created inside the test process, its controls driven through their wrappers.
#include "app/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "form_places.h"
#include "remarks/remark_store.h"
#include "screen_capture.h"
#include "support/temp_files.h"
#include "util/codepage.h"
#include "util/message_pump.h"

namespace {

int endCalls = 0;
int endExitCode = -1;
// What a test looks at while the program would be ending, where the exit routines run.
std::function<void()> duringEnd;
void recordEnd(int exitCode) {
    ++endCalls;
    endExitCode = exitCode;
    if (duringEnd) duringEnd();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        endCalls = 0;
        endExitCode = -1;
        createGlobals();
        ASSERT_TRUE(window.create(GetModuleHandleA(nullptr)));
    }
    void TearDown() override {
        if (IsWindow(window.handle())) DestroyWindow(window.handle());
        releaseGlobals();
    }

    // The remark database and the quick reply file of the set-up.
    testfiles::TempDir dataFolder;
    MainWindow window{recordEnd, dataFolder.path()};
    PanelControls& c = window.controls();
};

TEST_F(MainWindowTest, StartsAsTheFormSaysAfterSetUp) {
    EXPECT_EQ(c.statusLabel.text(), "");
    EXPECT_TRUE(c.statusLabel.visible());
    EXPECT_EQ(c.clientCombo.count(), 0);
    EXPECT_EQ(c.clientCombo.selection(), -1);
    EXPECT_EQ(c.nicknameBox.text(), "");
    EXPECT_FALSE(c.dockLeftRadio.checked());
    EXPECT_TRUE(c.dockRightRadio.checked());
    EXPECT_EQ(c.addButton.caption(), "新增");
    EXPECT_EQ(c.saveButton.caption(), "保存");
    EXPECT_EQ(c.trackTimer.period(), 0);
    EXPECT_EQ(c.replyList.rowCount(), 0);
    EXPECT_EQ(c.replyList.currentRow(), -1);

    const char* titles[] = {"序号", "内容"};
    for (int column = 0; column < 2; ++column) {
        char title[32] = {};
        LVCOLUMNA header{};
        header.mask = LVCF_TEXT | LVCF_FMT;
        header.pszText = title;
        header.cchTextMax = sizeof title;
        ASSERT_TRUE(
            SendMessageA(c.replyList.handle(), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&header)));
        EXPECT_STREQ(title, titles[column]);
        EXPECT_EQ(header.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
}

TEST_F(MainWindowTest, EveryWriteOfAnEditBoxRaisesItsContentChangedOnce) {
    for (EditBox* box : {&c.nicknameBox, &c.remarkBox, &c.replyInputBox}) {
        int changes = 0;
        box->onContentChanged([&] { ++changes; });
        box->setText("好友甲");
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(box->text(), "好友甲");
        box->setText("好友甲");
        EXPECT_EQ(changes, 2) << "the same text again still raises the event";
        box->setText("");
        EXPECT_EQ(changes, 3);
        EXPECT_EQ(box->text(), "");

        // The user's changes, one event each.
        SendMessageA(box->handle(), WM_CHAR, 'a', 1);
        EXPECT_EQ(changes, 4);
        SendMessageA(box->handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("备注"));
        EXPECT_EQ(changes, 5);
        EXPECT_EQ(box->text(), "a备注");
        box->onContentChanged(nullptr);
    }
}

TEST_F(MainWindowTest, AWriteInsideAContentChangedHandlerRaisesTheOtherBoxOnce) {
    // As the remark lookup does: the nickname's handler fills the remark box.
    int nicknameChanges = 0;
    int remarkChanges = 0;
    c.remarkBox.onContentChanged([&] { ++remarkChanges; });
    c.nicknameBox.onContentChanged([&] {
        ++nicknameChanges;
        c.remarkBox.setText("备注：" + c.nicknameBox.text());
    });
    c.nicknameBox.setText("好友乙");
    EXPECT_EQ(nicknameChanges, 1);
    EXPECT_EQ(remarkChanges, 1);
    EXPECT_EQ(c.remarkBox.text(), "备注：好友乙");
}

TEST_F(MainWindowTest, DropDownSelectionIsLimitedToItsEntries) {
    for (const char* entry : {"微信甲", "微信乙", "微信丙"}) c.clientCombo.append(entry);
    ASSERT_EQ(c.clientCombo.count(), 3);
    const struct {
        int written, read;
    } cases[] = {{1, 1}, {5, 2}, {-7, -1}, {0, 0}, {3, 2}, {-1, -1}, {2, 2}};
    for (const auto& selection : cases) {
        c.clientCombo.setSelection(selection.written);
        EXPECT_EQ(c.clientCombo.selection(), selection.read) << "written " << selection.written;
    }
    char entry[16] = {};
    SendMessageA(c.clientCombo.handle(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, "微信乙") << "entries keep the order they were appended in";
    c.clientCombo.clear();
    EXPECT_EQ(c.clientCombo.count(), 0);
    EXPECT_EQ(c.clientCombo.selection(), -1);
    c.clientCombo.setSelection(0);
    EXPECT_EQ(c.clientCombo.selection(), -1);
}

TEST_F(MainWindowTest, ListRowsAndCells) {
    ListView& list = c.replyList;
    list.insertRow(0);
    list.setCell(0, 1, "第二");
    list.insertRow(0);
    list.setCell(0, 0, "1");
    list.setCell(0, 1, "第一");
    list.insertRow(5);  // past the end: appended
    const std::string longReply = std::string(300, 'x') + "很长的回复" + std::string(300, 'y');
    list.setCell(2, 1, longReply);
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.cell(0, 0), "1");
    EXPECT_EQ(list.cell(0, 1), "第一");
    EXPECT_EQ(list.cell(1, 0), "");
    EXPECT_EQ(list.cell(1, 1), "第二");
    EXPECT_EQ(list.cell(2, 1), longReply);
    EXPECT_EQ(list.cell(7, 1), "") << "a row that does not exist reads as empty";

    list.setCurrentRow(1);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(SendMessageA(list.handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
    list.setCurrentRow(2);
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_EQ(SendMessageA(list.handle(), LVM_GETSELECTEDCOUNT, 0, 0), 1) << "single selection";
    list.setCurrentRow(-1);
    EXPECT_EQ(list.currentRow(), -1);

    list.ensureVisible(2);
    list.deleteRow(0);
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.cell(0, 1), "第二");
    list.deleteAll();
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(MainWindowTest, RadioButtons) {
    // Written by the program: the other button of the pair is left alone.
    c.dockLeftRadio.setChecked(true);
    EXPECT_TRUE(c.dockLeftRadio.checked());
    EXPECT_TRUE(c.dockRightRadio.checked());
    c.dockLeftRadio.setChecked(false);
    EXPECT_FALSE(c.dockLeftRadio.checked());

    // Clicked by the user: the pair is exclusive.
    SendMessageA(c.dockLeftRadio.handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(c.dockLeftRadio.checked());
    EXPECT_FALSE(c.dockRightRadio.checked());
    SendMessageA(c.dockRightRadio.handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(c.dockLeftRadio.checked());
    EXPECT_TRUE(c.dockRightRadio.checked());
}

TEST_F(MainWindowTest, LabelsAndButtonCaptions) {
    c.statusLabel.setText("已保存");
    EXPECT_EQ(c.statusLabel.text(), "已保存");
    c.statusLabel.setVisible(false);
    EXPECT_FALSE(c.statusLabel.visible());
    c.statusLabel.setVisible(true);
    EXPECT_TRUE(c.statusLabel.visible());
    c.addButton.setCaption("更新");
    EXPECT_EQ(c.addButton.caption(), "更新");
}

// Paints what is due and gives the display time to show it.
void showPending(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    waitProcessingMessages(150);
}

TEST_F(MainWindowTest, StatusLabelShowsTheRemarkBoxThroughAndLeavesNoTraceOfItsText) {
    Text remark;
    for (int line = 0; line < 30; ++line) remark += "备注备注备注备注备注备注备注备注备注备注备注备注\r\n";
    c.remarkBox.setText(remark);
    RECT area{};
    GetWindowRect(c.statusLabel.handle(), &area);
    showPending(window.handle());
    const ScreenCapture before = ScreenCapture::of(area);
    ASSERT_FALSE(before.empty());

    c.statusLabel.setText("已保存");
    showPending(window.handle());
    const ScreenCapture shown = ScreenCapture::of(area);
    EXPECT_LT(shown.shareOfSamePixels(before), 1.0) << "the status text is drawn";
    EXPECT_GT(shown.shareOfSamePixels(before), 0.5) << "around its text the remark box shows through";

    c.statusLabel.setText("保存失败");
    c.statusLabel.setText("");
    showPending(window.handle());
    EXPECT_EQ(ScreenCapture::of(area).shareOfSamePixels(before), 1.0)
        << "an old status text stayed on screen";
}

bool timerTickWaiting(HWND window) {
    MSG message;
    return PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE) &&
           message.wParam == control_ids::trackTimer;
}

TEST_F(MainWindowTest, TimerPeriod) {
    c.trackTimer.setPeriod(-5);
    EXPECT_EQ(c.trackTimer.period(), 0);

    c.trackTimer.setPeriod(50);
    EXPECT_EQ(c.trackTimer.period(), 50);
    Sleep(120);
    EXPECT_TRUE(timerTickWaiting(window.handle())) << "a running timer ticks";

    c.trackTimer.setPeriod(0);
    EXPECT_EQ(c.trackTimer.period(), 0);
    timerTickWaiting(window.handle());
    Sleep(120);
    EXPECT_FALSE(timerTickWaiting(window.handle())) << "period 0 stops it";

    // The same period twice: the second write does not restart the count, so the first tick comes one
    // period after the first write.
    c.trackTimer.setPeriod(200);
    Sleep(150);
    c.trackTimer.setPeriod(200);
    Sleep(100);
    EXPECT_TRUE(timerTickWaiting(window.handle())) << "the second write restarted the timer";
    c.trackTimer.setPeriod(-1);
    EXPECT_EQ(c.trackTimer.period(), 0);
}

TEST_F(MainWindowTest, WindowFrameProperties) {
    WindowFrame& frame = c.frame;
    frame.setLeft(100);
    frame.setTop(50);
    EXPECT_EQ(frame.left(), 100);
    EXPECT_EQ(frame.top(), 50);
    EXPECT_EQ(frame.width(), 348) << "a move keeps the size";
    EXPECT_EQ(frame.height(), 755);
    frame.setHeight(600);
    EXPECT_EQ(frame.height(), 600);
    EXPECT_EQ(frame.left(), 100) << "a resize keeps the place";
    frame.setWidth(300);
    EXPECT_EQ(frame.width(), 300);

    frame.setTopmost(true);
    EXPECT_TRUE(GetWindowLongPtrA(frame.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    frame.setTopmost(true);
    EXPECT_TRUE(GetWindowLongPtrA(frame.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    frame.setTopmost(false);
    EXPECT_FALSE(GetWindowLongPtrA(frame.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowTest, NegativeHeightsAreAppliedAsZero) {
    for (Control* control : {static_cast<Control*>(&c.remarkGroup), static_cast<Control*>(&c.replyInputBox),
                             static_cast<Control*>(&c.replyList)}) {
        control->setHeight(-20);
        EXPECT_EQ(control->height(), 0);
    }
    // A top-level window keeps the system's smallest height: -20 gives what 0 gives.
    c.frame.setHeight(0);
    const int zeroHeight = c.frame.height();
    c.frame.setHeight(-20);
    EXPECT_EQ(c.frame.height(), zeroHeight);
}

TEST_F(MainWindowTest, QuickReplyMenuItems) {
    HMENU menu = window.quickReplyMenu();
    ASSERT_NE(menu, nullptr);
    const struct {
        const char* text;  // nullptr: separator
        int command;
    } items[] = {{"刷新", control_ids::menuRefresh},     {nullptr, 0},
                 {"删除", control_ids::menuDelete},      {nullptr, 0},
                 {"编辑", control_ids::menuEdit},        {nullptr, 0},
                 {"清空内容", control_ids::menuClear},   {nullptr, 0},
                 {"打开文件", control_ids::menuOpenFile}};
    ASSERT_EQ(GetMenuItemCount(menu), 9);
    for (int position = 0; position < 9; ++position) {
        char text[32] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &item));
        if (!items[position].text) {
            EXPECT_TRUE(item.fType & MFT_SEPARATOR) << "position " << position;
            continue;
        }
        EXPECT_STREQ(text, items[position].text);
        EXPECT_EQ(static_cast<int>(item.wID), items[position].command);
    }
}

TEST_F(MainWindowTest, EscInsideAHandlersOwnMessageLoopClosesTheWindow) {
    // A handler that lets other messages run (the window search, the save wait) dispatches the key itself.
    PostMessageA(c.remarkBox.handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    processPendingMessages();
    EXPECT_FALSE(IsWindow(window.handle()));
    EXPECT_EQ(endCalls, 1);
    EXPECT_EQ(endExitCode, 0);
}

TEST_F(MainWindowTest, EscWithTheDropDownOpenClosesOnlyTheList) {
    c.clientCombo.append("微信甲");
    SendMessageA(c.clientCombo.handle(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageA(c.clientCombo.handle(), CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(c.clientCombo.handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    processPendingMessages();
    EXPECT_TRUE(IsWindow(window.handle()));
    EXPECT_FALSE(SendMessageA(c.clientCombo.handle(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(endCalls, 0);

    SendMessageA(c.clientCombo.handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    processPendingMessages();
    EXPECT_FALSE(IsWindow(window.handle()));
    EXPECT_EQ(endCalls, 1);
}

TEST_F(MainWindowTest, DestroyingTheWindowEndsTheProcessOnce) {
    DestroyWindow(window.handle());
    EXPECT_EQ(endCalls, 1);
    EXPECT_EQ(endExitCode, 0);
}

}  // namespace

namespace {

RECT rectIn(HWND window, HWND container) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

// The window moved to screens of 150 %, 125 % and back to 100 %: every control where the form puts it at
// that DPI (the system's MulDiv of the form's value), the window where the system suggests, the layout rule
// with its margin scaled, and one font of that DPI, the one before it deleted.
TEST_F(MainWindowTest, ADpiChangeScalesTheFormAndItsFont) {
    HWND frame = window.handle();
    for (const int dpi : {144, 120, 96}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        auto scaled = [dpi](int value) { return MulDiv(value, dpi, 96); };
        const HFONT oldFont = reinterpret_cast<HFONT>(SendMessageW(c.nicknameBox.handle(), WM_GETFONT, 0, 0));
        // Lower than the form's height: the system keeps a window within the screen's height (1000 here).
        RECT suggested{100, 50, 100 + scaled(348), 50 + scaled(600)};
        SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

        RECT outer{};
        GetWindowRect(frame, &outer);
        EXPECT_TRUE(EqualRect(&outer, &suggested));
        for (const FormPlace& place : kFormPlaces) {
            SCOPED_TRACE("control " + std::to_string(place.id));
            HWND container = place.container ? GetDlgItem(frame, place.container) : frame;
            HWND control = GetDlgItem(container, place.id);
            const RECT rect = rectIn(control, container);
            EXPECT_EQ(rect.left, scaled(place.x));
            EXPECT_EQ(rect.top, scaled(place.y));
            EXPECT_EQ(rect.right - rect.left, scaled(place.width));
            EXPECT_EQ(rect.bottom - rect.top, scaled(place.height));
        }
        const int groupHeight = scaled(600) - scaled(350) - scaled(56) + scaled(15);
        const RECT group = rectIn(c.quickReplyGroup.handle(), frame);
        EXPECT_EQ(group.top, scaled(kQuickReplyGroupPlace.y));
        EXPECT_EQ(group.right - group.left, scaled(kQuickReplyGroupPlace.width));
        EXPECT_EQ(c.quickReplyGroup.height(), groupHeight);
        const RECT list = rectIn(c.replyList.handle(), c.quickReplyGroup.handle());
        EXPECT_EQ(list.left, scaled(kReplyListPlace.x));
        EXPECT_EQ(list.top, scaled(kReplyListPlace.y));
        EXPECT_EQ(list.right - list.left, scaled(kReplyListPlace.width));
        EXPECT_EQ(c.replyList.height(), groupHeight - scaled(56));
        EXPECT_EQ(SendMessageW(c.replyList.handle(), LVM_GETCOLUMNWIDTH, 0, 0), scaled(40));
        EXPECT_EQ(SendMessageW(c.replyList.handle(), LVM_GETCOLUMNWIDTH, 1, 0), scaled(280));

        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(c.nicknameBox.handle(), WM_GETFONT, 0, 0));
        LOGFONTW look{};
        ASSERT_EQ(GetObjectW(font, sizeof look, &look), static_cast<int>(sizeof look));
        EXPECT_EQ(look.lfHeight, -MulDiv(9, dpi, 72));
        EXPECT_EQ(look.lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(GetObjectType(oldFont), 0u) << "the font of the old DPI is deleted";
        for (const FormPlace& place : kFormPlaces) {
            HWND container = place.container ? GetDlgItem(frame, place.container) : frame;
            EXPECT_EQ(
                reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(container, place.id), WM_GETFONT, 0, 0)),
                font)
                << "control " << place.id;
        }
    }
}

// Closing while a client is followed: by the time the process would end, the database is closed and the
// timer stopped, and no tick runs, neither a queued one nor one that comes while the exit routines let
// messages through.
TEST_F(MainWindowTest, TheEndStopsTheTicksAndClosesTheDatabaseFirst) {
    c.trackTimer.setPeriod(100);
    const Text database = dataFolder.path() + kRemarkFileName;
    ASSERT_FALSE(testfiles::openExclusively(database)) << "the panel has its database open while it runs";
    bool databaseFree = false;
    int period = -1;
    Text nickname = "unread";
    duringEnd = [&] {
        databaseFree = testfiles::openExclusively(database);
        period = c.trackTimer.period();
        waitProcessingMessages(300);
        SendMessageW(window.handle(), WM_TIMER, control_ids::trackTimer, 0);
        nickname = c.nicknameBox.text();
    };
    DestroyWindow(window.handle());
    duringEnd = nullptr;
    EXPECT_EQ(endCalls, 1);
    EXPECT_TRUE(databaseFree);
    EXPECT_EQ(period, 0);
    EXPECT_EQ(nickname, "") << "a tick ran after the end began";
}
