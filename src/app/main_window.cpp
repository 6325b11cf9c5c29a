#include "app/main_window.h"

#include <commctrl.h>

#include "app/control_ids.h"
#include "app/dpi_scale.h"
#include "app/form.h"
#include "app/globals.h"
#include "app/res/resource_ids.h"
#include "app/window_dpi.h"
#include "client/chat_tracker.h"
#include "client/instances.h"
#include "client/system_client_paths.h"
#include "remarks/remark_store.h"
#include "replies/reply_controls.h"
#include "replies/reply_store.h"
#include "util/codepage.h"

namespace id = control_ids;

bool MainWindow::create(HINSTANCE instance) {
    const std::wstring className = toWide(form::kWindowClass);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, className.c_str(), &windowClass)) {
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        // The program's own icon, at the sizes the system asks for: title bar (small) and taskbar (large).
        windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MARROWPAD),
                                                          IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                          GetSystemMetrics(SM_CYICON), LR_SHARED));
        windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MARROWPAD),
                                                            IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className.c_str();
        if (!RegisterClassExW(&windowClass)) return false;
    }
    HWND window = CreateWindowExW(form::kWindowExStyle, className.c_str(), toWide(form::kCaption).c_str(),
                                  form::kWindowStyle, 0, 0, form::kWindowWidth, form::kWindowHeight, nullptr,
                                  nullptr, instance, this);
    if (!window) return false;
    // Sized for the DPI of the window, known once it exists, and centred on the primary screen.
    const int width = dpi_scale::scaled(form::kWindowWidth, dpi_);
    const int height = dpi_scale::scaled(form::kWindowHeight, dpi_);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    // Set-up runs with the panel on screen, so that a WeChat window it activates ends up in front.
    initializeMainWindow();
    return true;
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->controls_.frame.attach(window);
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handleMessage(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Once the end has begun, no handler of ours runs: the globals they work on are being released.
    if (ending_ && message != WM_NCDESTROY) return DefWindowProcW(handle(), message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            return onCreate() ? 0 : -1;
        case WM_SIZE:
            onSize();
            return 0;
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            onNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message,
                                   wParam, lParam);
        case WM_KEYDOWN:
            // The window itself has the focus when no control has it; the controls close it themselves.
            if (wParam == VK_ESCAPE) PostMessageW(handle(), WM_CLOSE, 0, 0);
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            onDestroy();
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(handle(), GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(handle(), message, wParam, lParam);
}

bool MainWindow::onCreate() {
    quickReplyMenu_ = form::buildQuickReplyMenu();
    dpi_ = dpiOfWindow(handle());
    font_ = form::createFont(dpi_);
    if (!quickReplyMenu_ || !form::build(handle(), controls_, dpi_, font())) return false;
    controls_.nicknameBox.onContentChanged([this] { lookupRemark(); });
    formReady_ = true;
    return true;
}

void MainWindow::onSize() {
    if (formReady_) layOutQuickReplyGroup();
}

void MainWindow::onCommand(int controlId, int code) {
    switch (controlId) {
        case id::clientCombo:
            if (code == CBN_SELCHANGE) selectClientInstance();
            break;
        case id::rescanLabel:
            if (code == STN_DBLCLK) scanClientInstances();
            break;
        case id::nicknameBox:
            if (code == EN_CHANGE) controls_.nicknameBox.nativeContentChanged();
            break;
        case id::remarkBox:
            if (code == EN_CHANGE) controls_.remarkBox.nativeContentChanged();
            break;
        case id::replyInputBox:
            if (code == EN_CHANGE) controls_.replyInputBox.nativeContentChanged();
            break;
        case id::saveButton:
            if (code == BN_CLICKED) saveRemark();
            break;
        case id::addButton:
            if (code == BN_CLICKED) addOrUpdateQuickReply();
            break;
        case id::menuRefresh:
            refreshQuickReplies();
            break;
        case id::menuDelete:
            deleteQuickReply();
            break;
        case id::menuEdit:
            editQuickReply();
            break;
        case id::menuClear:
            clearQuickReplies();
            break;
        case id::menuOpenFile:
            openQuickReplyFile();
            break;
        default:
            break;
    }
}

void MainWindow::onNotify(const NMHDR& header) {
    if (header.idFrom != id::replyList) return;
    // A left press needs nothing of ours: the list selects the row under it by itself.
    if (header.code == NM_DBLCLK) sendQuickReply();
    if (header.code == NM_RCLICK) showQuickReplyMenu();
}

void MainWindow::onTimer(UINT_PTR timerId) {
    if (timerId == id::trackTimer) trackOpenChat();
}

LRESULT MainWindow::onControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const form::Look* look = form::lookOf(GetDlgCtrlID(control));
    if (!look) return DefWindowProcW(handle(), message, wParam, lParam);
    const bool edit = message == WM_CTLCOLOREDIT;
    if (look->text != CLR_INVALID) SetTextColor(dc, look->text);
    if (look->transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    const int background = edit ? COLOR_WINDOW : COLOR_BTNFACE;
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
    // The controls take the new font before the old one is deleted.
    handles::unique_gdiobj oldFont = std::move(font_);
    dpi_ = dpi;
    font_ = form::createFont(dpi_);
    form::fitToDpi(handle(), dpi_, font());
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Also when the suggested size is the old one, which raises no size change.
    layOutQuickReplyGroup();
}

void MainWindow::onDestroy() {
    finalizeMainWindow();
}

void MainWindow::initializeMainWindow() {
    Globals& g = globals();
    controls_.statusLabel.setText("");
    // Then, in this order, each step's outcome ignored:
    openRemarkStore(g.remarkDatabase, g.remarkDataset, g.remarkFields, dataFolder_);
    g.quickReplyFile = replies::quickReplyFileIn(dataFolder_);
    replies::ensureQuickReplyFile(g.quickReplyFile);
    scanClientInstances();
    if (controls_.clientCombo.count() > 0) selectClientInstance();
    replies::ReplyListOf<ListView> replyList{controls_.replyList};
    replies::loadQuickReplies(g.quickReplyFile, replyList);
}

void MainWindow::finalizeMainWindow() {
    // The process ends inside endProcess_, whose exit routines release the globals and COM. A release of a
    // reference into WeChat waits for WeChat and lets messages through meanwhile: no tick and no handler
    // may run then. So the timer stops (with the ticks it has queued), and events reach no handler again.
    ending_ = true;
    controls_.trackTimer.setPeriod(0);
    controls_.nicknameBox.onContentChanged(nullptr);
    closeRemarkStore(globals().remarkDataset, globals().remarkDatabase);
    endProcess_(0);
}

void MainWindow::layOutQuickReplyGroup() {
    PanelControls& c = controls_;
    const int windowHeight = c.frame.height();
    const int remarkGroupHeight = c.remarkGroup.height();
    const int inputHeight = c.replyInputBox.height();
    c.quickReplyGroup.setHeight(
        dpi_scale::quickReplyGroupHeight(windowHeight, remarkGroupHeight, inputHeight, dpi_));
    // From the height as applied: a negative one became 0.
    c.replyList.setHeight(c.quickReplyGroup.height() - inputHeight);
}

void MainWindow::showQuickReplyMenu() {
    POINT cursor{};
    GetCursorPos(&cursor);
    // TPM_RIGHTBUTTON: items can be chosen with either button. A chosen item arrives as WM_COMMAND.
    TrackPopupMenu(quickReplyMenu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x + 3, cursor.y + 3, 0,
                   handle(), nullptr);
}

void MainWindow::selectClientInstance() {
    const client::ChoiceListOf<ComboBox> instances(controls_.clientCombo);
    client::PeriodicTimerOf<Timer> timer(controls_.trackTimer);
    Globals& g = globals();
    client::selectClientInstance(instances, g.clientWindows, g.currentClientWindow, g.clientRoot, timer);
}

void MainWindow::scanClientInstances() {
    client::ChoiceListOf<ComboBox> instances(controls_.clientCombo);
    client::scanClientInstances(instances, globals().clientWindows, client::systemClientPaths().account);
}

void MainWindow::trackOpenChat() {
    client::TextBoxOf<EditBox> nicknameBox(controls_.nicknameBox);
    client::DockedWindowOf<WindowFrame> window(controls_.frame);
    const client::ToggleOf<RadioButton> dockLeft(controls_.dockLeftRadio);
    client::ToggleOf<RadioButton> dockRight(controls_.dockRightRadio);
    client::TrackedPanel panel{nicknameBox, {window, dockLeft, dockRight}};
    const Globals& g = globals();
    client::trackOpenChat(panel, g.currentClientWindow, g.clientRoot, client::systemClientPaths().chat);
}
