// The quick replies as this panel holds them: the replies last read from the file, byte for byte, and the
// changes the user's commands made since. The list 超级列表框1 only shows them; what is written to the file
// comes from here, so a reply keeps its bytes also when the controls cannot show them as they are (UTF-8
// text written by another editor, say).
#pragma once

#include <cstddef>
#include <vector>

#include "replies/reply_merge.h"
#include "util/gbk_text.h"

namespace replies {

class ReplyModel {
public:
    // Takes the replies just read from the file; the changes made before are gone.
    void takeRead(TextArray replies);
    // Forgets the changes made since the last read (they could not be written).
    void dropChanges();
    // False until a read: a panel that never read the file does not hold its replies.
    bool hasRead() const { return hasRead_; }

    // The replies as read, with the changes made since.
    const TextArray& replies() const { return replies_; }

    // The changes, as the commands make them; rows count from 0 in replies(). A row past the end changes
    // nothing.
    void add(const Text& reply);
    void update(std::size_t row, const Text& reply);
    void remove(std::size_t row);
    void clear();

    // The replies to write when the file holds `now`: each change made since the read put onto it in turn
    // (see reply_merge.h). With `now` as read, that is replies().
    TextArray mergedOnto(const TextArray& now) const;

private:
    void change(ReplyChange change);

    bool hasRead_ = false;
    TextArray asRead_;
    TextArray replies_;
    std::vector<ReplyChange> changes_;
};

}  // namespace replies
