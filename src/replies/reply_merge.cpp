#include "replies/reply_merge.h"

#include <optional>

namespace replies {

namespace {

// Where `reply` stands in `rows` at or after `from`: at `preferred` when it is there, else its first place.
std::optional<std::size_t> placeOf(const TextArray& rows, const Text& reply, std::size_t preferred,
                                   std::size_t from = 0) {
    if (preferred >= from && preferred < rows.size() && rows[preferred] == reply) return preferred;
    for (std::size_t i = from; i < rows.size(); ++i) {
        if (rows[i] == reply) return i;
    }
    return std::nullopt;
}

// The one row of `now` that stands where row `row` of `before` stood: after the row that was before it
// (or at the start) and before the row that was after it (or at the end). None when no single row does.
std::optional<std::size_t> standIn(const TextArray& before, std::size_t row, const TextArray& now) {
    std::size_t first = 0;
    if (row > 0) {
        const auto previous = placeOf(now, before[row - 1], row - 1);
        if (!previous) return std::nullopt;
        first = *previous + 1;
    }
    std::size_t end = now.size();
    if (row + 1 < before.size()) {
        const auto next = placeOf(now, before[row + 1], row + 1, first);
        if (!next) return std::nullopt;
        end = *next;
    }
    if (end != first + 1) return std::nullopt;
    return first;
}

}  // namespace

TextArray applyChange(const TextArray& before, const ReplyChange& change, const TextArray& now) {
    TextArray merged = now;
    switch (change.kind) {
        case ReplyChange::Kind::clear:
            merged.clear();
            break;
        case ReplyChange::Kind::add:
            merged.push_back(change.reply);
            break;
        case ReplyChange::Kind::remove: {
            if (change.row >= before.size()) break;
            if (const auto at = placeOf(merged, before[change.row], change.row)) {
                merged.erase(merged.begin() + static_cast<std::ptrdiff_t>(*at));
            }
            break;
        }
        case ReplyChange::Kind::update: {
            if (change.row >= before.size() || before[change.row] == change.reply) break;
            auto at = placeOf(merged, before[change.row], change.row);
            if (!at) at = standIn(before, change.row, merged);
            if (at) {
                merged[*at] = change.reply;
            } else {
                merged.push_back(change.reply);
            }
            break;
        }
    }
    return merged;
}

}  // namespace replies
