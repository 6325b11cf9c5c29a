// What the stand-in chat client (WeChat.exe, built from this folder for the tests) understands.
//
// Command line:  WeChat.exe [--account NAME] [--chat NAME] [--title TEXT] [--log PATH] [--hidden] [--popup]
//                            [--no-enumerator]
//   --account  the account nickname shown (default 张三);  --chat  the open chat (default: none open)
//   --title    the main window's title (default 微信);      --log   the input log file (default: no log)
//   --hidden   the main window starts hidden;              --popup also an owned pop-up of the same class
//   --no-enumerator  no level reports its children through an enumerator, whose one cursor two readers
//              walking at once would share (see StandInTree)
//
// Commands: WM_COPYDATA to the main window, dwData kCommandTag, the command as UTF-8 text (no terminator
// needed). The reply (LRESULT) is 1 when done and 0 for an unknown command, except for "calls", "objects", "refs"
// and "acp".
//   account NAME   chat NAME   nochat   title TEXT   hide   show   close
//   busy MS        the GUI thread sleeps MS ms, once the reply is back: a client that does not answer
//   calls          the number of accessibility calls served since start or "resetcalls"
//   resetcalls
//   objects        the accessible objects alive in the stand-in
//   refs           the references held on them, by its own tree and by other programs through COM
//   acp            the stand-in's ANSI code page (GetACP), which Wine takes from the process's locale
//
// Input log: one line per event, UTF-8, "<GetTickCount64 ms> <event>", events
//   keydown VK  keyup VK  syskeydown VK  syskeyup VK  (VK two hex digits)   char CODE (four hex digits)
//   paste TEXT  (the clipboard text a paste inserts)  send TEXT  (the box text at Enter; the box is then
//   cleared)
// In TEXT, "\" is written "\\", CR "\r" and LF "\n", so that one event stays on one line.
#pragma once

#include <windows.h>

namespace standin {

constexpr ULONG_PTR kCommandTag = 0x4D505354;  // "MPST"
constexpr const wchar_t* kWindowClass = L"WeChatMainWndForPC";

}  // namespace standin
