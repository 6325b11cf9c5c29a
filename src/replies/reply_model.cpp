#include "replies/reply_model.h"

#include <utility>

namespace replies {

void ReplyModel::takeRead(TextArray replies) {
    hasRead_ = true;
    asRead_ = std::move(replies);
    dropChanges();
}

void ReplyModel::dropChanges() {
    replies_ = asRead_;
    changes_.clear();
}

void ReplyModel::add(const Text& reply) {
    change({ReplyChange::Kind::add, 0, reply});
}

void ReplyModel::update(std::size_t row, const Text& reply) {
    change({ReplyChange::Kind::update, row, reply});
}

void ReplyModel::remove(std::size_t row) {
    change({ReplyChange::Kind::remove, row, Text()});
}

void ReplyModel::clear() {
    change({ReplyChange::Kind::clear, 0, Text()});
}

void ReplyModel::change(ReplyChange change) {
    replies_ = applyChange(replies_, change, replies_);
    changes_.push_back(std::move(change));
}

TextArray ReplyModel::mergedOnto(const TextArray& now) const {
    // Each change was made to the replies as the changes before it left them.
    TextArray before = asRead_;
    TextArray merged = now;
    for (const ReplyChange& change : changes_) {
        merged = applyChange(before, change, merged);
        before = applyChange(before, change, before);
    }
    return merged;
}

}  // namespace replies
