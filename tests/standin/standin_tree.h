// The accessibility tree served by the stand-in chat client. The window object is laid out as Windows lays
// out its standard one (seven children, the client area fourth, role client, state 0), because Wine's own
// window object answers nothing. Below the client area:
//   #1>#2>#1>#1                          the account nickname (a simple element)
//   #1>#2>#3>#1>#1>#1>#1>#1>#1>#1>#1>#1>#1  the name of the friend whose chat is open (a simple element)
// Other friends' names sit on neighbouring branches, where a wrong path would find them. With no chat open
// the chat area holds a single simple placeholder, so the chat path fails one step below it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "support/fake_accessible.h"

class StandInTree {
public:
    // `enumerator`: one level of the chat reports its children through IEnumVARIANT, as some servers do.
    // Its cursor is the object's own, shared by every reader: two readers walking at once can be handed
    // each other's children.
    StandInTree(HWND window, const std::wstring& account, const std::optional<std::wstring>& chat,
                bool enumerator = true);

    IAccessible* windowObject() const { return window_.Get(); }
    IAccessible* clientObject() const { return client_; }

    void setAccount(const std::wstring& account);
    // Opens the chat with `friendName`, replacing the open one; the chat area is rebuilt as a client's is.
    void openChat(const std::wstring& friendName);
    void closeChat();
    // Moves every location along with the window; called after the window moved or was resized.
    void followWindow();

private:
    HWND hwnd_;
    Microsoft::WRL::ComPtr<fake::FakeAccessible> window_;
    fake::FakeAccessible* client_ = nullptr;
    fake::FakeAccessible* accountArea_ = nullptr;
    fake::FakeAccessible* chatArea_ = nullptr;
    bool enumerator_ = true;
    POINT clientOrigin_{};  // screen position of the client area that the inner locations were laid out for
};
