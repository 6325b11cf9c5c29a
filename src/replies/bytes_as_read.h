// The list keeps its texts the way the system's controls do, converted to UTF-16 and back, so a byte
// sequence that is no GBK character (UTF-8 text written by another editor, say) comes back from the list
// changed, typically as "?". Written back as the list shows them, such replies would be corrupted in the
// file by any save, also when the user changed another reply.
#pragma once

#include "util/gbk_text.h"

namespace replies {

// The replies to write for the list's `rows`, given the replies last read from the file (`asRead`) and
// how the list shows each of them (`asShown`, one for each). Every command changes one place of the list,
// so the rows that agree with the replies as shown, from the start and from the end, are the replies the
// user left alone: they are given back with the bytes read. The rows in between are taken as they are.
TextArray withBytesAsRead(const TextArray& rows, const TextArray& asRead, const TextArray& asShown);

}  // namespace replies
