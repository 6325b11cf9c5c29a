#include "replies/reply_merge.h"

#include <gtest/gtest.h>

// gcc 12 at -O2 (the i686 Release build) takes the strings of the case table below for uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

using replies::applyChange;
using replies::ReplyChange;
using Kind = replies::ReplyChange::Kind;

TEST(MergeReplies, OurChangeGoesOntoWhatTheFileHoldsNow) {
    const TextArray read = {"a", "b", "c"};
    struct Case {
        const char* what;
        ReplyChange ours;
        TextArray now;
        TextArray written;
    } cases[] = {
        {"nobody else wrote: ours as it is", {Kind::remove, 1, ""}, read, {"a", "c"}},
        {"both added one", {Kind::add, 0, "d"}, {"a", "b", "c", "x"}, {"a", "b", "c", "x", "d"}},
        {"we deleted, they added", {Kind::remove, 1, ""}, {"a", "b", "c", "x"}, {"a", "c", "x"}},
        {"we changed, they added", {Kind::update, 1, "B"}, {"a", "b", "c", "x"}, {"a", "B", "c", "x"}},
        {"we added, they deleted", {Kind::add, 0, "d"}, {"a", "c"}, {"a", "c", "d"}},
        {"both deleted the same", {Kind::remove, 1, ""}, {"a", "c"}, {"a", "c"}},
        {"both changed the same row: ours", {Kind::update, 1, "B"}, {"a", "X", "c"}, {"a", "B", "c"}},
        {"both changed the first row: ours", {Kind::update, 0, "A"}, {"X", "b", "c"}, {"A", "b", "c"}},
        {"both changed the last row: ours", {Kind::update, 2, "C"}, {"a", "b", "X"}, {"a", "b", "C"}},
        {"we changed a row they deleted: ours kept", {Kind::update, 1, "B"}, {"a", "c"}, {"a", "c", "B"}},
        {"we changed a row they changed and added after: both kept",
         {Kind::update, 1, "B"},
         {"a", "X", "Y", "c"},
         {"a", "X", "Y", "c", "B"}},
        {"we changed a row whose neighbour they changed: ours kept",
         {Kind::update, 1, "B"},
         {"a", "X", "Y"},
         {"a", "X", "Y", "B"}},
        {"we changed a row they moved", {Kind::update, 0, "A"}, {"b", "c", "a"}, {"b", "c", "A"}},
        {"we changed a row to what it was: theirs as it is", {Kind::update, 1, "b"}, {"a", "X"}, {"a", "X"}},
        {"we cleared, they added", {Kind::clear, 0, ""}, {"a", "b", "c", "x"}, {}},
        {"we cleared, they put one in between", {Kind::clear, 0, ""}, {"a", "x", "b", "c"}, {}},
        {"we deleted, they put one in before it", {Kind::remove, 1, ""}, {"a", "x", "b", "c"}, {"a", "x", "c"}},
        {"they emptied the file, we added", {Kind::add, 0, "d"}, {}, {"d"}},
        {"a row past the end changes nothing", {Kind::update, 3, "D"}, {"a", "x"}, {"a", "x"}},
        {"a row past the end deletes nothing", {Kind::remove, 3, ""}, {"a", "x"}, {"a", "x"}},
    };
    for (const Case& c : cases) EXPECT_EQ(applyChange(read, c.ours, c.now), c.written) << c.what;
}

TEST(MergeReplies, AddingToAnEmptyListGoesAfterWhatOthersAdded) {
    EXPECT_EQ(applyChange({}, {Kind::add, 0, "d"}, {"x", "y"}), TextArray({"x", "y", "d"}));
}

TEST(MergeReplies, TheSameReplyTwiceIsTakenWhereOurChangeWas) {
    // The second of two equal rows deleted here; the other program added one after them.
    EXPECT_EQ(applyChange({"a", "a"}, {Kind::remove, 1, ""}, {"a", "a", "x"}), TextArray({"a", "x"}));
    // The second of two equal rows changed here, the first changed there.
    EXPECT_EQ(applyChange({"a", "a"}, {Kind::update, 1, "B"}, {"X", "a"}), TextArray({"X", "B"}));
}
