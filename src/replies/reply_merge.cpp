#include "replies/reply_merge.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "replies/common_ends.h"

namespace replies {

namespace {

using Rows = TextArray;

Rows slice(const Rows& rows, std::size_t from, std::size_t to) {
    return Rows(rows.begin() + static_cast<std::ptrdiff_t>(from),
                rows.begin() + static_cast<std::ptrdiff_t>(to));
}

// Where `run` stands in `rows`: at `preferred` when it is there, else its first place.
std::optional<std::size_t> placeOf(const Rows& rows, const Rows& run, std::size_t preferred) {
    const auto at = [&](std::size_t start) {
        return start + run.size() <= rows.size() &&
               std::equal(run.begin(), run.end(), rows.begin() + static_cast<std::ptrdiff_t>(start));
    };
    if (at(preferred)) return preferred;
    for (std::size_t start = 0; start + run.size() <= rows.size(); ++start) {
        if (at(start)) return start;
    }
    return std::nullopt;
}

}  // namespace

TextArray mergeReplies(const TextArray& asRead, const TextArray& ours, const TextArray& now) {
    if (now == asRead) return ours;

    const auto [head, tail] = commonEnds(asRead, asRead.size(), ours, ours.size());
    const Rows replaced = slice(asRead, head, asRead.size() - tail);
    const Rows added = slice(ours, head, ours.size() - tail);
    if (replaced.empty() && added.empty()) return now;

    Rows merged = now;
    std::size_t insertAt = merged.size();
    if (replaced.empty()) {
        // Rows put in between: after the row they followed, or at the start or the end as they were.
        if (head == 0) {
            insertAt = 0;
        } else if (head < asRead.size()) {
            if (const auto before = placeOf(merged, {asRead[head - 1]}, head - 1)) insertAt = *before + 1;
        }
    } else if (const auto run = placeOf(merged, replaced, head)) {
        merged.erase(merged.begin() + static_cast<std::ptrdiff_t>(*run),
                     merged.begin() + static_cast<std::ptrdiff_t>(*run + replaced.size()));
        insertAt = *run;
    } else {
        // The other program moved some of them apart: each that is still there goes.
        std::optional<std::size_t> first;
        for (const Text& row : replaced) {
            const auto found = std::find(merged.begin(), merged.end(), row);
            if (found == merged.end()) continue;
            const auto index = static_cast<std::size_t>(found - merged.begin());
            merged.erase(found);
            first = std::min(first.value_or(index), index);
        }
        if (first) insertAt = *first;
    }
    merged.insert(merged.begin() + static_cast<std::ptrdiff_t>(insertAt), added.begin(), added.end());
    return merged;
}

}  // namespace replies
