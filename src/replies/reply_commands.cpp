#include "replies/reply_commands.h"

#include <shellapi.h>

#include "util/codepage.h"

namespace replies {

namespace {
const Text kAddCaption = "新增";
const Text kUpdateCaption = "更新";
}  // namespace

int askWithMessageBox(HWND owner, const Text& text, const Text& caption, UINT buttons) {
    return MessageBoxW(owner, toWide(text).c_str(), toWide(caption).c_str(), buttons);
}

void openWithShellExecute(const Text& path) {
    ShellExecuteW(nullptr, L"open", toWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void addOrUpdateReply(ReplyPanel& panel) {
    const int row = panel.list.currentRow();
    const Text caption = panel.addButton.caption();
    if (caption == kUpdateCaption) {
        // The row is whichever is current now. With none, nothing changes and the file is written the same.
        if (row >= 0) panel.list.setCell(row, kReplyColumn, panel.input.text());
        saveQuickReplies(panel.file, panel.list);
        panel.addButton.setCaption(kAddCaption);
        panel.input.setText("");
        return;
    }
    if (caption == kAddCaption) {
        const Text reply = panel.input.text();
        if (reply.empty()) {
            panel.askUser(panel.mainWindow, "没有内容哦", "信息：", MB_OK);
        } else {
            const int last = panel.list.rowCount();
            panel.list.insertRow(last);
            panel.list.setCell(last, kReplyColumn, reply);
            panel.list.ensureVisible(last);
            panel.input.setText("");
            saveQuickReplies(panel.file, panel.list);
        }
    }
    loadQuickReplies(panel.file, panel.list);
}

void editReply(ReplyPanel& panel) {
    const int row = panel.list.currentRow();
    if (row < 0) return;
    panel.input.setText(panel.list.cell(row, kReplyColumn));
    panel.addButton.setCaption(kUpdateCaption);
}

void deleteReply(ReplyPanel& panel) {
    const int row = panel.list.currentRow();
    if (row < 0) return;
    panel.list.deleteRow(row);
    saveQuickReplies(panel.file, panel.list);
}

void clearReplies(ReplyPanel& panel) {
    const int answer =
        panel.askUser(nullptr, "是否要删除所有内容？？ 删除后无法恢复", "删除所有内容", MB_OKCANCEL);
    if (answer != IDOK) return;
    panel.list.deleteAll();
    saveQuickReplies(panel.file, panel.list);
}

void refreshReplies(ReplyPanel& panel) {
    loadQuickReplies(panel.file, panel.list);
}

void openReplyFile(ReplyPanel& panel) {
    panel.openWithShell(panel.file.path);
}

}  // namespace replies
