// The quick reply file beside the executable and the list 超级列表框1 that shows its replies. The file is
// the only lasting copy of the replies: every change is written to it at once and the list is rebuilt from
// it.
#pragma once

#include "replies/reply_controls.h"
#include "replies/reply_model.h"

namespace replies {

// The quick reply file and the replies this panel holds. The shell keeps one for the whole run.
struct QuickReplyFile {
    Text path;
    // What was last read from the file and the commands' changes since; the list shows its replies().
    ReplyModel replies;
};

// The file "/快捷回复.txt" in the executable's directory (given without a trailing backslash).
QuickReplyFile quickReplyFileIn(const Text& exeDirectory);

// Creates the file empty when nothing of that name exists.
void ensureQuickReplyFile(const QuickReplyFile& file);

// Reads the file into the replies and shows them in the list: one row per reply, numbered from 1, the first
// row current. When the file is missing there are no replies; when it cannot be read (another program holds
// it locked) the replies are those last read. Changes not yet written are dropped either way.
void loadQuickReplies(QuickReplyFile& file, ReplyList& list);

// Writes the replies, with the changes made since the last read, to the file, then reloads. When another
// program changed the file since it was read, the changes are put onto what the file holds now (see
// reply_merge.h); a file taken away meanwhile is written again with every reply. Nothing is written over a
// file that cannot be read or that another program holds open, nor over one that was never read; a write
// that fails half-way puts the old content back. The reload then shows what the file holds.
void saveQuickReplies(QuickReplyFile& file, ReplyList& list);

}  // namespace replies
