#include "standin_tree.h"

#include <utility>

using fake::FakeAccessible;
using fake::Props;

namespace {

constexpr long kInvisible = STATE_SYSTEM_INVISIBLE;
constexpr long kAbsent = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;

Props element(std::wstring name, long role, long state = 0, RECT location = {}) {
    Props props;
    props.name = std::move(name);
    props.role = role;
    props.state = state;
    props.location = location;
    return props;
}

void shift(RECT& rect, long dx, long dy) {
    OffsetRect(&rect, dx, dy);
}

// Moves the locations of every element below `node` (not its own) by dx, dy.
void shiftChildren(FakeAccessible* node, long dx, long dy) {
    for (long id = 1; id <= node->childCount(); ++id) {
        if (FakeAccessible* full = node->fullChild(id)) {
            shift(full->self().location, dx, dy);
            shiftChildren(full, dx, dy);
        } else {
            shift(node->simple(id).location, dx, dy);
        }
    }
}

// Inner locations are laid out as if the client area's corner were at 0, 0; followWindow moves them there.
void buildMainPanel(FakeAccessible* client, FakeAccessible*& accountArea, FakeAccessible*& chatArea) {
    FakeAccessible* panel = client->addFull(element(L"", ROLE_SYSTEM_PANE, 0, {0, 0, 800, 600}));

    FakeAccessible* navigation = panel->addFull(element(L"导航", ROLE_SYSTEM_TOOLBAR, 0, {0, 0, 60, 600}));
    navigation->addSimple(
        element(L"聊天", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, {10, 80, 50, 120}));
    navigation->addSimple(
        element(L"通讯录", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, {10, 130, 50, 170}));

    FakeAccessible* content = panel->addFull(element(L"", ROLE_SYSTEM_PANE, 0, {60, 0, 800, 600}));
    accountArea = content->addFull(element(L"", ROLE_SYSTEM_PANE, 0, {60, 0, 310, 60}));
    accountArea->addSimple(element(L"", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, {70, 10, 250, 40}));
    accountArea->addSimple(
        element(L"设置", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, {260, 10, 300, 40}));

    FakeAccessible* sessions = content->addFull(element(L"会话", ROLE_SYSTEM_LIST, 0, {60, 60, 310, 600}));
    const wchar_t* friends[][2] = {{L"赵六", L"晚上见"}, {L"孙七", L"收到"}};
    long top = 60;
    for (const auto& [name, last] : friends) {
        FakeAccessible* item = sessions->addFull(element(name, ROLE_SYSTEM_LISTITEM,
                                                         STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE,
                                                         {60, top, 310, top + 64}));
        item->addSimple(
            element(name, ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, {110, top + 8, 250, top + 30}));
        item->addSimple(
            element(last, ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, {110, top + 34, 250, top + 56}));
        top += 64;
    }
    sessions->addSimple(
        element(L"文件传输助手", ROLE_SYSTEM_LISTITEM, STATE_SYSTEM_SELECTABLE, {60, top, 310, top + 64}));

    chatArea = content->addFull(element(L"", ROLE_SYSTEM_PANE, 0, {310, 0, 800, 600}));
    panel->addSimple(element(L"最小化", ROLE_SYSTEM_PUSHBUTTON, 0, {700, 0, 740, 30}));
}

}  // namespace

StandInTree::StandInTree(HWND window, const std::wstring& account, const std::optional<std::wstring>& chat,
                         bool enumerator)
    : hwnd_(window), enumerator_(enumerator) {
    Props windowProps = element(L"微信", ROLE_SYSTEM_WINDOW, STATE_SYSTEM_FOCUSABLE);
    window_ = FakeAccessible::create(windowProps);
    window_->window =
        window;  // children made below take it over: WindowFromAccessibleObject finds the window
    // The standard window object's children, as Windows gives them for a window without menu or scroll bars.
    window_->addFull(element(L"系统", ROLE_SYSTEM_MENUBAR, kInvisible));
    window_->addFull(element(L"微信", ROLE_SYSTEM_TITLEBAR, STATE_SYSTEM_FOCUSABLE));
    window_->addFull(element(L"应用程序", ROLE_SYSTEM_MENUBAR, kInvisible));
    client_ = window_->addFull(element(L"微信", ROLE_SYSTEM_CLIENT, 0));
    window_->addFull(element(L"垂直", ROLE_SYSTEM_SCROLLBAR, kAbsent));
    window_->addFull(element(L"水平", ROLE_SYSTEM_SCROLLBAR, kAbsent));
    window_->addFull(element(L"", ROLE_SYSTEM_GRIP, kInvisible));

    buildMainPanel(client_, accountArea_, chatArea_);
    setAccount(account);
    if (chat) {
        openChat(*chat);
    } else {
        closeChat();
    }
    followWindow();
}

void StandInTree::setAccount(const std::wstring& account) {
    accountArea_->simple(1).name = account;
}

void StandInTree::openChat(const std::wstring& friendName) {
    chatArea_->clearChildren();
    const POINT o = clientOrigin_;
    auto at = [o](long left, long top, long right, long bottom) {
        return RECT{o.x + left, o.y + top, o.x + right, o.y + bottom};
    };
    // Ten nested levels, as deep as the client's own chat pane; each level also holds a neighbour.
    FakeAccessible* level = chatArea_->addFull(element(L"聊天", ROLE_SYSTEM_PANE, 0, at(310, 0, 800, 600)));
    chatArea_->addSimple(
        element(L"发送(S)", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, at(700, 560, 790, 590)));
    for (int depth = 2; depth <= 9; ++depth) {
        FakeAccessible* next = level->addFull(element(L"", ROLE_SYSTEM_PANE, 0, at(310, 0, 800, 60)));
        if (depth == 8) {
            // The message list, where the sender's name of an earlier message would be found by a wrong path.
            FakeAccessible* messages =
                level->addFull(element(L"消息", ROLE_SYSTEM_LIST, 0, at(310, 60, 800, 450)));
            messages->addSimple(element(L"赵六", ROLE_SYSTEM_LISTITEM, 0, at(320, 70, 790, 100)));
        } else {
            level->addSimple(element(L"", ROLE_SYSTEM_SEPARATOR, 0, at(310, 60, 800, 61)));
        }
        // One level reports its children as numbers, as some servers do.
        level->childrenAsNumbers = enumerator_ && depth == 5;
        level = next;
    }
    level->addSimple(
        element(friendName, ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, at(330, 15, 600, 45)));
    level->addSimple(
        element(L"聊天信息", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, at(760, 15, 790, 45)));
}

void StandInTree::closeChat() {
    chatArea_->clearChildren();
    const POINT o = clientOrigin_;
    chatArea_->addSimple(element(L"", ROLE_SYSTEM_GRAPHIC, 0, {o.x + 310, o.y, o.x + 800, o.y + 600}));
}

void StandInTree::followWindow() {
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    RECT client{};
    GetClientRect(hwnd_, &client);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);

    window_->self().location = frame;
    window_->fullChild(1)->self().location = {frame.left, frame.top, frame.left + 20, frame.top + 20};
    window_->fullChild(2)->self().location = {frame.left, frame.top, frame.right, client.top};
    window_->fullChild(3)->self().location = {client.left, client.top, client.right, client.top};
    client_->self().location = client;
    window_->fullChild(5)->self().location = {client.right, client.top, client.right, client.bottom};
    window_->fullChild(6)->self().location = {client.left, client.bottom, client.right, client.bottom};
    window_->fullChild(7)->self().location = {client.right, client.bottom, client.right, client.bottom};

    shiftChildren(client_, client.left - clientOrigin_.x, client.top - clientOrigin_.y);
    clientOrigin_ = {client.left, client.top};
}
