// Every command changes one place of the list. Where, is found by comparing the list before and after
// from both ends: what agrees from the start and, of the rest, from the end, the command left alone.
#pragma once

#include <algorithm>
#include <cstddef>

namespace replies {

struct CommonEnds {
    std::size_t head = 0;  // rows equal from the start
    std::size_t tail = 0;  // rows equal from the end, none of them counted in `head`
};

// The common ends of the first `aSize` rows of `a` and the first `bSize` rows of `b`.
template <typename RowsA, typename RowsB>
CommonEnds commonEnds(const RowsA& a, std::size_t aSize, const RowsB& b, std::size_t bSize) {
    const std::size_t most = std::min(aSize, bSize);
    CommonEnds ends;
    while (ends.head < most && a[ends.head] == b[ends.head]) ++ends.head;
    while (ends.tail < most - ends.head && a[aSize - 1 - ends.tail] == b[bSize - 1 - ends.tail]) ++ends.tail;
    return ends;
}

}  // namespace replies
