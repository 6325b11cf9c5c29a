// The real panel on a screen at 150 % scaling (144 DPI), looked at from outside: the window, every control,
// the list's columns and the layout rule at one and a half times the form's values, text drawn in a font of
// that size, and docking flush with the client in the same screen pixels. Run by high_dpi.sh, which gives it
// a Wine prefix and a display of their own.
#include <windows.h>
// After windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/control_ids.h"
#include "app/panel_process.h"
#include "form_places.h"
#include "panel_watch.h"
#include "screen_capture.h"
#include "standin_control.h"

namespace id = control_ids;

namespace {

constexpr int kDpi = 144;

int scaled(int value) {
    return MulDiv(value, kDpi, 96);
}

RECT rectIn(HWND window, HWND container) {
    RECT rect = rectOf(window);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int heightOf(HWND window) {
    const RECT rect = rectOf(window);
    return rect.bottom - rect.top;
}

// The height of the quick reply group and of its list for a window `windowHeight` high: the layout rule
// with the form's heights and its margin at this DPI.
int groupHeightFor(int windowHeight) {
    return windowHeight - scaled(350) - scaled(56) + scaled(15);
}

class HighDpiTest : public PanelFollowTest {
protected:
    void SetUp() override {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        ASSERT_EQ(dpi, kDpi) << "run by high_dpi.sh, in a Wine prefix at 144 DPI";
    }

    // The quick reply group and its list follow the window's height by the layout rule.
    bool waitForLayout(int windowHeight) const {
        const int group = groupHeightFor(windowHeight);
        return waitUntil([&] {
            return heightOf(control(id::quickReplyGroup)) == group &&
                   heightOf(control(id::replyList)) == group - scaled(56);
        });
    }
};

TEST_F(HighDpiTest, TheFormAtOneAndAHalfTimesItsSize) {
    startPanel();
    HWND window = panel.window();
    const RECT outer = rectOf(window);
    EXPECT_EQ(outer.right - outer.left, scaled(348));
    EXPECT_EQ(outer.bottom - outer.top, scaled(755));
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - scaled(348)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - scaled(755)) / 2);

    for (const FormPlace& place : kFormPlaces) {
        SCOPED_TRACE("control " + std::to_string(place.id));
        HWND container = place.container ? control(place.container) : window;
        const RECT rect = rectIn(control(place.id), container);
        EXPECT_EQ(rect.left, scaled(place.x));
        EXPECT_EQ(rect.top, scaled(place.y));
        EXPECT_EQ(rect.right - rect.left, scaled(place.width));
        EXPECT_EQ(rect.bottom - rect.top, scaled(place.height));
    }
    const RECT group = rectIn(control(id::quickReplyGroup), window);
    EXPECT_EQ(group.left, scaled(kQuickReplyGroupPlace.x));
    EXPECT_EQ(group.top, scaled(kQuickReplyGroupPlace.y));
    EXPECT_EQ(group.right - group.left, scaled(kQuickReplyGroupPlace.width));
    const RECT list = rectIn(control(id::replyList), control(id::quickReplyGroup));
    EXPECT_EQ(list.left, scaled(kReplyListPlace.x));
    EXPECT_EQ(list.top, scaled(kReplyListPlace.y));
    EXPECT_EQ(list.right - list.left, scaled(kReplyListPlace.width));
    EXPECT_TRUE(waitForLayout(scaled(755))) << "分组框2 " << heightOf(control(id::quickReplyGroup))
                                            << ", 超级列表框1 " << heightOf(control(id::replyList));
    EXPECT_EQ(SendMessageW(control(id::replyList), LVM_GETCOLUMNWIDTH, 0, 0), scaled(40));
    EXPECT_EQ(SendMessageW(control(id::replyList), LVM_GETCOLUMNWIDTH, 1, 0), scaled(280));
}

// Docked beside a client as large as a client at 150 % is, on either side, flush with it in screen pixels;
// the text drawn is taller than a whole character cell of the 96 DPI font, and a screenshot is kept.
TEST_F(HighDpiTest, DocksFlushBesideTheClientAndDrawsLargerText) {
    standin::StandIn client({L"--account", L"张三", L"--chat", L"李四"});
    ASSERT_TRUE(client.started());
    HWND clientWindow = client.window();
    // A window that has only just appeared can get its first size back from the display after a resize:
    // the size is set until it holds a while.
    int heldChecks = 0;
    ASSERT_TRUE(waitUntil([&] {
        if (heightOf(clientWindow) != scaled(639)) {
            heldChecks = 0;
            SetWindowPos(clientWindow, nullptr, 100, 80, scaled(816), scaled(639),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return false;
        }
        return ++heldChecks >= 10;
    })) << "the client window did not keep its size";
    startPanel();
    const int width = scaled(348);
    auto waitDockedAt = [&](Side side) {
        return waitUntil([&] { return isDockedBeside(panel.window(), rectOf(clientWindow), side, width); },
                         kTickTimeoutMs);
    };
    ASSERT_TRUE(waitForNickname(L"李四")) << nickname();
    EXPECT_TRUE(waitDockedAt(Side::Right));
    EXPECT_TRUE(waitForLayout(heightOf(clientWindow) + 1))
        << "分组框2 " << heightOf(control(id::quickReplyGroup)) << ", 超级列表框1 "
        << heightOf(control(id::replyList)) << ", client " << heightOf(clientWindow);

    ASSERT_TRUE(
        SetWindowPos(clientWindow, nullptr, 700, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    SendMessageW(control(id::dockLeftRadio), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitDockedAt(Side::Left));
    ASSERT_TRUE(
        SetWindowPos(clientWindow, nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    SendMessageW(control(id::dockRightRadio), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitDockedAt(Side::Right));

    // Both windows in one picture, the panel's coloured label measured in it.
    RECT both{};
    const RECT panelRect = rectOf(panel.window());
    const RECT clientRect = rectOf(clientWindow);
    UnionRect(&both, &panelRect, &clientRect);
    // Wine copies nothing at all from a rectangle that reaches past the screen.
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&both, &both, &screen);
    HWND label = control(id::rescanLabel);  // 标签4, magenta text
    RECT labelRect = rectOf(label);
    OffsetRect(&labelRect, -both.left, -both.top);
    ScreenCapture capture;
    int inkTop = -1, inkBottom = -1;
    waitUntil([&] {
        capture = ScreenCapture::of(both);
        inkTop = inkBottom = -1;
        for (int y = labelRect.top; y < labelRect.bottom; ++y) {
            const RECT row{labelRect.left, y, labelRect.right, y + 1};
            if (!capture.contains(row, RGB(255, 0, 255))) continue;
            if (inkTop < 0) inkTop = y;
            inkBottom = y + 1;
        }
        return inkTop >= 0;
    });
    ASSERT_FALSE(capture.empty());
    EXPECT_TRUE(capture.saveBmp(testProgramFolder() + "\\..\\panel-144dpi.bmp"));
    ASSERT_GE(inkTop, 0) << "标签4's text is not on the screen";
    EXPECT_GT(inkBottom - inkTop, 12) << "the text is drawn no taller than in a 96 DPI font";
    std::printf("the magenta label's text: %d pixels high\n", inkBottom - inkTop);
}

}  // namespace
