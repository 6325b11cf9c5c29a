#include "replies/bytes_as_read.h"

#include <algorithm>

#include "replies/common_ends.h"

namespace replies {

TextArray withBytesAsRead(const TextArray& rows, const TextArray& asRead, const TextArray& asShown) {
    const std::size_t known = std::min(asRead.size(), asShown.size());
    const auto [head, tail] = commonEnds(rows, rows.size(), asShown, known);

    TextArray replies(asRead.begin(), asRead.begin() + static_cast<std::ptrdiff_t>(head));
    replies.insert(replies.end(), rows.begin() + static_cast<std::ptrdiff_t>(head),
                   rows.end() - static_cast<std::ptrdiff_t>(tail));
    replies.insert(replies.end(), asRead.begin() + static_cast<std::ptrdiff_t>(known - tail),
                   asRead.begin() + static_cast<std::ptrdiff_t>(known));
    return replies;
}

}  // namespace replies
