// Two panels started beside each other, or an editor, may change the quick reply file while this panel
// shows what it read earlier. A save therefore puts each change the user made onto what the file holds at
// that moment, rather than writing back the replies as this panel read them plus its own change.
#pragma once

#include <cstddef>

#include "util/gbk_text.h"

namespace replies {

// One command's change to the replies. Rows count from 0 in the replies as they were before the change.
struct ReplyChange {
    enum class Kind { add, update, remove, clear };
    Kind kind;
    std::size_t row = 0;  // update, remove
    Text reply;           // add, update: the new reply's bytes
};

// The replies after `change`, made by this panel to `before`, is put onto `now`, what the file holds now.
// When `now` is `before` this is the change itself. Otherwise:
// - add: the reply goes at the end of `now`;
// - remove: the row's reply goes where it stands in `now` (at its old place when it is still there, else its
//   first place); gone already, nothing changes;
// - update: the row's reply is replaced where it stands in `now`. When another writer changed that row, the
//   one row that stands in its place (between the rows that were around it) is replaced, so that the user's
//   text wins; when no single row stands there, the reply is kept at the end;
// - clear: no replies, whatever `now` holds: the user confirmed deleting them all.
// A row past the end of `before` changes nothing.
TextArray applyChange(const TextArray& before, const ReplyChange& change, const TextArray& now);

}  // namespace replies
