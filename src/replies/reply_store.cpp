#include "replies/reply_store.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "replies/bytes_as_read.h"
#include "replies/reply_file.h"
#include "replies/reply_merge.h"
#include "util/codepage.h"
#include "util/files.h"
#include "util/handles.h"

namespace replies {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

enum class ReadResult { read, missing, unreadable };

ReadResult readWholeFile(const Text& path, Text& bytes) {
    handles::unique_hfile file(CreateFileW(toWide(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::missing
                                                                              : ReadResult::unreadable;
    }
    bytes.clear();
    char chunk[64 * 1024];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return ReadResult::unreadable;
        if (got == 0) return ReadResult::read;
        bytes.append(chunk, got);
    }
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Puts the file's earlier bytes back after a write that did not go through.
void putBack(const Text& path, std::string_view before) {
    handles::unique_hfile file(CreateFileW(toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
    SetEndOfFile(file.get());
    writeAll(file.get(), before);
}

// Replaces the file's content, `before` as just read (empty for a missing file), with `content`. False,
// with the file as it was, when that cannot be done.
bool rewriteFile(const Text& path, std::string_view content, std::string_view before) {
    // Empty the file while holding it exclusively. When another program has it open, it stays as it is:
    // appending the list to the old content would give every reply twice.
    {
        handles::unique_hfile emptied(CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!emptied) return false;
    }

    // Write the replies after whatever the file now holds, denying others nothing.
    bool written = false;
    {
        handles::unique_hfile file(CreateFileW(toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            SetFilePointer(file.get(), 0, nullptr, FILE_END);
            written = writeAll(file.get(), content);
        }
    }
    if (!written) putBack(path, before);
    return written;
}

// The text a list control gives back for `text`: the controls keep their texts in UTF-16, converted
// to and from code page 936.
Text shownInList(const Text& text) {
    return utf16ToGbkText(textToUtf16(text));
}

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
    return {exeDirectory + "/快捷回复.txt", std::nullopt};
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
        case ReadResult::read:
            file.lastRead = parseReplies(bytes);
            break;
        case ReadResult::missing:
            file.lastRead = TextArray();
            break;
        case ReadResult::unreadable:
            break;  // what was read last is still the best account of what the file holds
    }
    showReplies(list, file.lastRead.value_or(TextArray()));
}

void saveQuickReplies(QuickReplyFile& file, ReplyList& list) {
    // A list that was never read from the file does not hold its replies: writing it would lose them.
    // Nor is anything written over a file that cannot be read now.
    Text before;
    const ReadResult now = file.lastRead ? readWholeFile(file.path, before) : ReadResult::unreadable;
    if (now != ReadResult::unreadable) {
        TextArray rows;
        for (int row = 0; row < list.rowCount(); ++row) rows.push_back(list.cell(row, kReplyColumn));
        TextArray shown;
        for (const Text& reply : *file.lastRead) shown.push_back(shownInList(reply));
        TextArray replies = withBytesAsRead(rows, *file.lastRead, shown);
        // A second panel or an editor may have changed the file since it was read: this change goes onto
        // what the file holds now. (A file taken away meanwhile is written again with the list.)
        if (now == ReadResult::read) replies = mergeReplies(*file.lastRead, replies, parseReplies(before));
        rewriteFile(file.path, serializeReplies(replies), before);
    }
    loadQuickReplies(file, list);
}

}  // namespace replies
