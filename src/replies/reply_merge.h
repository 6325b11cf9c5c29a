// Two panels started beside each other, or an editor, may change the quick reply file while this panel
// shows what it read earlier. Written from the list alone, a save would put back the file as this panel
// read it plus its own change, and the other's replies would be gone.
#pragma once

#include "util/gbk_text.h"

namespace replies {

// The replies to write: the change from `asRead` (what this panel last read from the file) to `ours`
// (what it would write now) applied to `now` (what the file holds at this moment). Every command changes
// one place of the list, found as the rows that differ between the first and the last rows the two agree
// on. The rows it replaced are looked for in `now`, together or one by one; the rows put in their place go
// where they were found, or after the row before them, or at the end. Rows that another program changed or
// removed meanwhile are left as it left them, and no row of `ours` that is new is dropped.
TextArray mergeReplies(const TextArray& asRead, const TextArray& ours, const TextArray& now);

}  // namespace replies
