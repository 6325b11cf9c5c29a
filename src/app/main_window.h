// The panel's one window: two stacked group boxes (friend remarks above, quick replies below), the
// tracking timer and the quick reply popup menu. Each event goes to a member named after what it does;
// the rooms that own the behaviour fill those members in.
#pragma once

#include <windows.h>

#include <utility>

#include "app/dpi_scale.h"
#include "app/panel_controls.h"
#include "util/gbk_text.h"
#include "util/handles.h"

namespace replies {
struct ReplyPanel;
}

class MainWindow {
public:
    // Runs last when the window is about to be destroyed and does not return in the program, which
    // passes std::exit: the process ends there with the exit code given.
    using EndProcess = void (*)(int exitCode);

    // The remark database and the quick reply file live in `dataFolder` (no trailing separator): the
    // executable's folder in the program. The globals must exist while the window does.
    explicit MainWindow(EndProcess endProcess, Text dataFolder)
        : endProcess_(endProcess), dataFolder_(std::move(dataFolder)) {}
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the window class "Quorvel" unless a class of that name exists, creates the window with
    // all its controls, shows it and runs initializeMainWindow. False when the window cannot be created.
    bool create(HINSTANCE instance);

    HWND handle() const { return controls_.frame.handle(); }
    PanelControls& controls() { return controls_; }
    HMENU quickReplyMenu() const { return quickReplyMenu_.get(); }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool onCreate();
    void onSize();
    void onCommand(int id, int code);
    void onNotify(const NMHDR& header);
    void onTimer(UINT_PTR id);
    // The window moved to a screen of another DPI; `suggested` is the system's outer rectangle for it.
    void onDpiChanged(int dpi, const RECT& suggested);
    LRESULT onControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void onDestroy();

    // Lifecycle.
    void initializeMainWindow();
    void finalizeMainWindow();

    // Layout and the popup menu.
    void layOutQuickReplyGroup();
    void showQuickReplyMenu();

    // Filled by the rooms that own them; until then the events reach them and nothing happens.
    void selectClientInstance();   // client room: the user picked an entry of 组合框1
    void scanClientInstances();    // client room: 标签4 double-clicked
    void trackOpenChat();          // client room: tick of 时钟1
    void lookupRemark();           // remarks room: content of 编辑框_好友昵称 changed
    void saveRemark();             // remarks room: 按钮1 clicked
    void addOrUpdateQuickReply();  // replies room: 按钮_新增 clicked
    void sendQuickReply();         // replies room: 超级列表框1 double-clicked
    void refreshQuickReplies();    // replies room: menu 刷新 (loadQuickReplies)
    void deleteQuickReply();       // replies room: menu 删除
    void editQuickReply();         // replies room: menu 编辑
    void clearQuickReplies();      // replies room: menu 清空内容
    void openQuickReplyFile();     // replies room: menu 打开文件

    // Runs one of the quick reply commands on the panel's controls and the quick reply file.
    void runReplyCommand(void (*command)(replies::ReplyPanel& panel));

    EndProcess endProcess_;
    Text dataFolder_;
    PanelControls controls_;
    handles::unique_hmenu quickReplyMenu_;  // 菜单
    bool formReady_ = false;
    // The DPI the form is laid out for, and its font for that DPI (app/dpi_scale.h).
    int dpi_ = dpi_scale::kBaseDpi;
    handles::unique_gdiobj font_;
    HFONT font() const { return static_cast<HFONT>(font_.get()); }
    // finalizeMainWindow has begun: the process is ending.
    bool ending_ = false;
};
