#include "replies/reply_commands.h"

#include <shellapi.h>

#include "util/codepage.h"

namespace replies {

namespace {
const Text kAddCaption = "新增";
const Text kUpdateCaption = "更新";

// The reply in the list's row `row`: the list shows the replies in their order. None for no row (-1).
const Text* replyAt(const ReplyModel& replies, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= replies.replies().size()) return nullptr;
    return &replies.replies()[static_cast<std::size_t>(row)];
}

// Whether the controls show `reply` as `shown`. They hold their texts in UTF-16, converted through code
// page 936, so bytes that are no GBK character come back from the input box changed although the user
// changed nothing; such a reply keeps its bytes.
bool showsAs(const Text& reply, const Text& shown) {
    return utf16ToGbkText(textToUtf16(reply)) == shown;
}

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
    ReplyModel& replies = panel.file.replies;
    if (caption == kUpdateCaption) {
        // The row is whichever is current now. With none, nothing changes and the file is written the same.
        const Text* reply = replyAt(replies, row);
        const Text typed = panel.input.text();
        if (reply && !showsAs(*reply, typed)) replies.update(static_cast<std::size_t>(row), typed);
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
            replies.add(reply);
            // Shown at once, scrolled into view; the reload after the save numbers it.
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
    const Text* reply = replyAt(panel.file.replies, panel.list.currentRow());
    if (!reply) return;
    panel.input.setText(*reply);
    panel.addButton.setCaption(kUpdateCaption);
}

void deleteReply(ReplyPanel& panel) {
    const int row = panel.list.currentRow();
    if (!replyAt(panel.file.replies, row)) return;
    panel.file.replies.remove(static_cast<std::size_t>(row));
    saveQuickReplies(panel.file, panel.list);
}

void clearReplies(ReplyPanel& panel) {
    const int answer =
        panel.askUser(nullptr, "是否要删除所有内容？？ 删除后无法恢复", "删除所有内容", MB_OKCANCEL);
    if (answer != IDOK) return;
    panel.file.replies.clear();
    saveQuickReplies(panel.file, panel.list);
}

void refreshReplies(ReplyPanel& panel) {
    loadQuickReplies(panel.file, panel.list);
}

void openReplyFile(ReplyPanel& panel) {
    panel.openWithShell(panel.file.path);
}

}  // namespace replies
