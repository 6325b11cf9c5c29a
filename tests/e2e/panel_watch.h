// The running panel seen from outside while it follows stand-in clients: its controls' texts, where it
// stands, and the user's actions on the drop-down and the rescan label.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/panel_process.h"

// Ticks under Wine can take a good part of a second when the machine is busy; each wait is generous.
constexpr DWORD kTickTimeoutMs = 15000;

std::wstring windowTextOf(HWND window);
// The entries of a drop-down, in order.
std::vector<std::wstring> entriesOf(HWND comboBox);
RECT rectOf(HWND window);
bool isTopmost(HWND window);

// The user picks entry `position`: the drop-down selects it and tells its parent.
void chooseEntry(HWND comboBox, int position);
// The user double-clicks the label.
void doubleClick(HWND label);

// Where the panel stands beside a client window with the outer rectangle `client`, with its width (the
// form's at 96 DPI unless given).
enum class Side { Left, Right };
bool isDockedBeside(HWND panel, const RECT& client, Side side, int width = 348);

// Makes `window` the foreground window from the test, letting the test's own windows handle what that
// means for them meanwhile; whether it is in front once that has settled.
bool bringToFront(HWND window);

// A window of the test process, to bring to the front in place of the client.
class TestWindow {
public:
    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Lets at least `ticks` ticks of the panel pass: each time the client window moves by a pixel and the
// panel follows it on `side`. False when the panel did not follow within a few seconds.
bool passTicks(HWND panel, HWND client, Side side, int ticks);

// The real panel, started by the test once its stand-in clients run.
class PanelFollowTest : public ::testing::Test {
protected:
    // Set-up may still be scanning when this returns: the window search lets messages through.
    void startPanel() { ASSERT_TRUE(panel.start()) << "marrowpad.exe did not show its window"; }

    HWND control(int controlId) const { return panel.control(controlId); }
    std::wstring nickname() const { return windowTextOf(control(control_ids::nicknameBox)); }
    bool waitForNickname(const std::wstring& name) const {
        return waitUntil([&] { return nickname() == name; }, kTickTimeoutMs);
    }
    // Waits until the drop-down lists exactly these entries with the first one selected.
    bool waitForEntries(const std::vector<std::wstring>& entries) const;
    bool waitDocked(HWND client, Side side = Side::Right) const {
        return waitUntil([&] { return isDockedBeside(panel.window(), rectOf(client), side); },
                         kTickTimeoutMs);
    }

    PanelProcess panel;
};
