#include "replies/reply_model.h"

#include <gtest/gtest.h>

#include <functional>

using replies::ReplyModel;

// Three replies as read from a file: the first and the last hold bytes that are no GBK character, which
// the controls cannot show as they are.
namespace {
const TextArray kRead = {"\xE4\xBD\xA0\r\n", "ok", "\xB0\x1A"};
}  // namespace

TEST(ReplyModel, RepliesLeftAloneKeepTheirBytes) {
    struct Case {
        const char* what;
        std::function<void(ReplyModel&)> command;
        TextArray replies;
    } cases[] = {
        {"nothing changed", [](ReplyModel&) {}, kRead},
        {"one added at the end", [](ReplyModel& m) { m.add("new"); }, {kRead[0], kRead[1], kRead[2], "new"}},
        {"first deleted", [](ReplyModel& m) { m.remove(0); }, {kRead[1], kRead[2]}},
        {"middle deleted", [](ReplyModel& m) { m.remove(1); }, {kRead[0], kRead[2]}},
        {"last deleted", [](ReplyModel& m) { m.remove(2); }, {kRead[0], kRead[1]}},
        {"middle changed", [](ReplyModel& m) { m.update(1, "changed"); }, {kRead[0], "changed", kRead[2]}},
        {"first changed", [](ReplyModel& m) { m.update(0, "changed"); }, {"changed", kRead[1], kRead[2]}},
        {"all deleted", [](ReplyModel& m) { m.clear(); }, {}},
        {"a reply with a line break added", [](ReplyModel& m) { m.add("a\r\nb"); },
         {kRead[0], kRead[1], kRead[2], "a\r\nb"}},
    };
    for (const Case& c : cases) {
        ReplyModel model;
        model.takeRead(kRead);
        c.command(model);
        EXPECT_EQ(model.replies(), c.replies) << c.what;
        EXPECT_EQ(model.mergedOnto(kRead), c.replies) << c.what << ", with the file as read";
    }
}

TEST(ReplyModel, ChangesGoOntoTheFileInTurn) {
    ReplyModel model;
    model.takeRead({"a", "b"});
    model.add("c");         // a b c
    model.remove(0);        // b c
    model.update(1, "C");   // b C
    EXPECT_EQ(model.replies(), TextArray({"b", "C"}));
    // Another writer added x meanwhile: each change still finds its reply.
    EXPECT_EQ(model.mergedOnto({"a", "b", "x"}), TextArray({"b", "x", "C"}));
}

TEST(ReplyModel, AReadOrADropForgetsTheChanges) {
    ReplyModel model;
    EXPECT_FALSE(model.hasRead());
    model.add("lost");
    EXPECT_EQ(model.replies(), TextArray({"lost"}));
    model.dropChanges();
    EXPECT_TRUE(model.replies().empty());
    EXPECT_FALSE(model.hasRead());

    model.takeRead({"a"});
    EXPECT_TRUE(model.hasRead());
    model.remove(0);
    model.takeRead({"x", "y"});
    EXPECT_EQ(model.replies(), TextArray({"x", "y"}));
    EXPECT_EQ(model.mergedOnto({"x", "y", "z"}), TextArray({"x", "y", "z"}));

    model.add("new");
    model.dropChanges();
    EXPECT_EQ(model.replies(), TextArray({"x", "y"}));
    EXPECT_EQ(model.mergedOnto({"x"}), TextArray({"x"}));
}
