// The quick reply file beside the executable and the list 超级列表框1 built from it. The file is the only
// lasting copy of the replies: every change is written to it at once and the list is rebuilt from it.
#pragma once

#include <optional>

#include "replies/reply_controls.h"

namespace replies {

// The quick reply file and what was last read from it. The shell keeps one for the whole run.
struct QuickReplyFile {
    Text path;
    // The replies as last read, byte for byte; none until a read has succeeded. A save writes only over a
    // file that has been read, and keeps the bytes of the replies left alone (see bytes_as_read.h).
    std::optional<TextArray> lastRead;
};

// The file "/快捷回复.txt" in the executable's directory (given without a trailing backslash).
QuickReplyFile quickReplyFileIn(const Text& exeDirectory);

// Creates the file empty when nothing of that name exists.
void ensureQuickReplyFile(const QuickReplyFile& file);

// Rebuilds the list from the file: one row per reply, numbered from 1, the first row current. When the file
// is missing the list becomes empty; when it cannot be read (another program holds it locked) the list
// shows what was last read from it.
void loadQuickReplies(QuickReplyFile& file, ReplyList& list);

// Rewrites the file from the list, then reloads the list. When another program changed the file since it
// was read, the list's change is made to what the file holds now (see reply_merge.h). Nothing is written
// over a file that cannot be read or that another program holds open, nor over one that was never read; a
// write that fails half-way puts the old content back. The reload then shows what the file holds.
void saveQuickReplies(QuickReplyFile& file, ReplyList& list);

}  // namespace replies
