#include "replies/bytes_as_read.h"

#include <algorithm>

namespace replies {

TextArray withBytesAsRead(const TextArray& rows, const TextArray& asRead, const TextArray& asShown) {
    const std::size_t known = std::min(asRead.size(), asShown.size());
    const std::size_t most = std::min(rows.size(), known);
    std::size_t head = 0;
    while (head < most && rows[head] == asShown[head]) ++head;
    std::size_t tail = 0;
    while (tail < most - head && rows[rows.size() - 1 - tail] == asShown[known - 1 - tail]) ++tail;

    TextArray replies(asRead.begin(), asRead.begin() + static_cast<std::ptrdiff_t>(head));
    replies.insert(replies.end(), rows.begin() + static_cast<std::ptrdiff_t>(head),
                   rows.end() - static_cast<std::ptrdiff_t>(tail));
    replies.insert(replies.end(), asRead.begin() + static_cast<std::ptrdiff_t>(known - tail),
                   asRead.begin() + static_cast<std::ptrdiff_t>(known));
    return replies;
}

}  // namespace replies
