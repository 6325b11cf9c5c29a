#include "replies/reply_merge.h"

#include <gtest/gtest.h>

using replies::mergeReplies;

TEST(MergeReplies, OurChangeGoesOntoWhatTheFileHoldsNow) {
    const TextArray read = {"a", "b", "c"};
    struct Case {
        const char* what;
        TextArray ours;
        TextArray now;
        TextArray written;
    } cases[] = {
        {"nobody else wrote: ours as it is", {"a", "c"}, read, {"a", "c"}},
        {"both added one", {"a", "b", "c", "d"}, {"a", "b", "c", "x"}, {"a", "b", "c", "x", "d"}},
        {"we deleted, they added", {"a", "c"}, {"a", "b", "c", "x"}, {"a", "c", "x"}},
        {"we changed, they added", {"a", "B", "c"}, {"a", "b", "c", "x"}, {"a", "B", "c", "x"}},
        {"we added, they deleted", {"a", "b", "c", "d"}, {"a", "c"}, {"a", "c", "d"}},
        {"both deleted the same", {"a", "c"}, {"a", "c"}, {"a", "c"}},
        {"both changed the same row: both kept", {"a", "B", "c"}, {"a", "X", "c"}, {"a", "X", "c", "B"}},
        {"we changed a row they deleted: ours kept", {"a", "B", "c"}, {"a", "c"}, {"a", "c", "B"}},
        {"we cleared, they added", {}, {"a", "b", "c", "x"}, {"x"}},
        {"we cleared, they put one in between", {}, {"a", "x", "b", "c"}, {"x"}},
        {"we deleted, they put one in before it", {"a", "c"}, {"a", "x", "b", "c"}, {"a", "x", "c"}},
        {"we put one in at the start", {"z", "a", "b", "c"}, {"a", "b", "c", "x"}, {"z", "a", "b", "c", "x"}},
        {"we put one in after a", {"a", "z", "b", "c"}, {"x", "a", "b", "c"}, {"x", "a", "z", "b", "c"}},
        {"we changed nothing: theirs as it is", read, {"a", "x"}, {"a", "x"}},
        {"they emptied the file, we added", {"a", "b", "c", "d"}, {}, {"d"}},
    };
    for (const Case& c : cases) EXPECT_EQ(mergeReplies(read, c.ours, c.now), c.written) << c.what;
}

TEST(MergeReplies, TheSameReplyTwiceIsTakenWhereOurChangeWas) {
    // The second of two equal rows deleted here; the other program added one after them.
    EXPECT_EQ(mergeReplies({"a", "a"}, {"a"}, {"a", "a", "x"}), TextArray({"a", "x"}));
    // The second of two equal rows changed here, the first changed there.
    EXPECT_EQ(mergeReplies({"a", "a"}, {"a", "B"}, {"X", "a"}), TextArray({"X", "B"}));
}
