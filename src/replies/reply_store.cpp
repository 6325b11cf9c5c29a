#include "replies/reply_store.h"

#include <windows.h>

#include <string>

#include "replies/reply_file.h"
#include "util/codepage.h"
#include "util/files.h"

namespace replies {

namespace {

void showReplies(ReplyList& list, const TextArray& replies) {
    list.deleteAll();
    for (std::size_t i = 0; i < replies.size(); ++i) {
        const int row = static_cast<int>(i);
        list.insertRow(row);
        list.setCell(row, kNumberColumn, std::to_string(i + 1));
        list.setCell(row, kReplyColumn, replies[i]);
    }
    list.setCurrentRow(replies.empty() ? -1 : 0);
}

}  // namespace

QuickReplyFile quickReplyFileIn(const Text& exeDirectory) {
    return {exeDirectory + "/快捷回复.txt", ReplyModel()};
}

void ensureQuickReplyFile(const QuickReplyFile& file) {
    if (GetFileAttributesW(toWide(file.path).c_str()) != INVALID_FILE_ATTRIBUTES) return;
    // Only a file that is surely missing is created: creating cuts an existing file to length 0.
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return;
    createFileOfLength(file.path, 0);
}

void loadQuickReplies(QuickReplyFile& file, ReplyList& list) {
    Text bytes;
    switch (readWholeFile(file.path, bytes)) {
        case FileRead::read:
            file.replies.takeRead(parseReplies(bytes));
            break;
        case FileRead::missing:
            file.replies.takeRead(TextArray());
            break;
        case FileRead::unreadable:
            file.replies.dropChanges();  // what was read last is still the best account of the file
            break;
    }
    showReplies(list, file.replies.replies());
}

void saveQuickReplies(QuickReplyFile& file, ReplyList& list) {
    // Nothing is written over a file that cannot be read now, nor by a panel that never read it: it does
    // not hold the file's replies.
    Text before;
    const FileRead now = file.replies.hasRead() ? readWholeFile(file.path, before) : FileRead::unreadable;
    if (now != FileRead::unreadable) {
        // A second panel or an editor may have changed the file since it was read.
        const TextArray replies =
            now == FileRead::read ? file.replies.mergedOnto(parseReplies(before)) : file.replies.replies();
        // The file is written only when no other program has it open: appending the replies to its old
        // content would give every reply twice.
        rewriteFile(file.path, serializeReplies(replies), before);
    }
    loadQuickReplies(file, list);
}

}  // namespace replies
