// The commands that edit the quick reply list: the add button 按钮_新增 beside the input box 编辑框1,
// and the list's menu items "刷新", "删除", "编辑", "清空内容" and "打开文件". Each command changes the replies
// the panel holds (reply_model.h), whose row i the list shows in its row i; each change is written to the
// file at once and the list is rebuilt from it (reply_store.h).
//
// 按钮_新增 has two modes, told apart only by its caption: "新增" adds the input as a new reply, "更新"
// (set by "编辑") stores the input into the current row.
#pragma once

#include <windows.h>

#include <functional>

#include "replies/reply_controls.h"
#include "replies/reply_store.h"

namespace replies {

// Shows a modal message box and returns the button chosen (IDOK, IDCANCEL, ...).
using AskUser = std::function<int(HWND owner, const Text& text, const Text& caption, UINT buttons)>;
int askWithMessageBox(HWND owner, const Text& text, const Text& caption, UINT buttons);

// Carries out the shell's "open" verb on a file.
using OpenWithShell = std::function<void(const Text& path)>;
void openWithShellExecute(const Text& path);

// What the commands work on. The message box and the shell can be answered by tests.
struct ReplyPanel {
    QuickReplyFile& file;
    ReplyList& list;         // 超级列表框1
    ReplyInput& input;       // 编辑框1
    ReplyButton& addButton;  // 按钮_新增
    HWND mainWindow;         // owns the box that asks for text
    AskUser askUser = askWithMessageBox;
    OpenWithShell openWithShell = openWithShellExecute;
};

// Click of 按钮_新增: adds the input as a reply ("新增"), or stores it into the current row ("更新").
void addOrUpdateReply(ReplyPanel& panel);
// "编辑": puts the current reply into the input box and switches the button to "更新".
void editReply(ReplyPanel& panel);
// "删除": deletes the current reply, without asking.
void deleteReply(ReplyPanel& panel);
// "清空内容": deletes every reply once the user confirms.
void clearReplies(ReplyPanel& panel);
// "刷新": rebuilds the list from the file, taking in changes made to it outside the program.
void refreshReplies(ReplyPanel& panel);
// "打开文件": opens the quick reply file with the shell; the user chooses "刷新" after editing it.
void openReplyFile(ReplyPanel& panel);

}  // namespace replies
