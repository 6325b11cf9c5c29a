// Sending a quick reply into the chat that is open in the chosen WeChat window: the reply goes onto the
// clipboard, the window is activated, and Ctrl+V and Enter are synthesized so that WeChat pastes and sends.
// Nothing is read back from WeChat.
#pragma once

#include <windows.h>

#include "replies/reply_controls.h"

namespace replies {

// Makes a window of another process the active one: activateWindow of util/activate.h.
using ActivateWindow = void (*)(HWND window);

// Double-click of 超级列表框1: sends the current row's reply to `clientWindow`. With no current row nothing
// happens. When the clipboard cannot be set, no keys are sent either: they would paste and send whatever the
// clipboard held before.
void sendQuickReply(const ReplyList& list, HWND clientWindow, ActivateWindow activate);

// Replaces the clipboard's content with the text, as CF_TEXT (the GBK bytes and a zero byte), as
// CF_UNICODETEXT converted from code page 936 and with CF_LOCALE Chinese (PRC), which tells readers that
// CF_TEXT is in code page 936; owned by the foreground window. False when the clipboard
// could not be opened or the text not placed.
bool copyTextToClipboard(const Text& text);

// Presses modifier3, modifier2 (each when not 0), modifier1 and key, then releases them in the same order.
void pressKeyChord(BYTE key, BYTE modifier1, BYTE modifier2, BYTE modifier3);

// What pressKey does.
enum KeyPressMode { kPressAndRelease = 0, kPressOnly = 1, kReleaseOnly = 2 };
// Mode 1 presses the key, mode 2 releases it; any other mode presses it, lets the messages now waiting for
// this thread be handled once, then releases it.
void pressKey(BYTE key, int mode);

}  // namespace replies
