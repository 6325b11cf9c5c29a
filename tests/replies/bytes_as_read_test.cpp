#include "replies/bytes_as_read.h"

#include <gtest/gtest.h>

using replies::withBytesAsRead;

// Three replies as read from a file, and how a list shows them: the first and the last hold bytes that
// are no GBK character.
namespace {
const TextArray kRead = {"\xE4\xBD\xA0\r\n", "ok", "\xB0\x1A"};
const TextArray kShown = {"\xE4\xBD?\n", "ok", "?"};
}  // namespace

TEST(BytesAsRead, RepliesLeftAloneKeepTheirBytes) {
    struct Case {
        const char* what;
        TextArray rows;
        TextArray written;
    } cases[] = {
        {"nothing changed", kShown, kRead},
        {"one added at the end",
         {kShown[0], kShown[1], kShown[2], "new"},
         {kRead[0], kRead[1], kRead[2], "new"}},
        {"first deleted", {kShown[1], kShown[2]}, {kRead[1], kRead[2]}},
        {"middle deleted", {kShown[0], kShown[2]}, {kRead[0], kRead[2]}},
        {"last deleted", {kShown[0], kShown[1]}, {kRead[0], kRead[1]}},
        {"middle changed", {kShown[0], "changed", kShown[2]}, {kRead[0], "changed", kRead[2]}},
        {"first changed", {"changed", kShown[1], kShown[2]}, {"changed", kRead[1], kRead[2]}},
        {"all deleted", {}, {}},
        {"a line break added, giving two rows",
         {kShown[0], "a", "b", kShown[2]},
         {kRead[0], "a", "b", kRead[2]}},
    };
    for (const Case& c : cases) EXPECT_EQ(withBytesAsRead(c.rows, kRead, kShown), c.written) << c.what;
}

TEST(BytesAsRead, WithNothingReadTheRowsAreTakenAsTheyAre) {
    EXPECT_EQ(withBytesAsRead({"a", "?"}, {}, {}), TextArray({"a", "?"}));
    // The same row twice: each side keeps one, nothing is written twice.
    EXPECT_EQ(withBytesAsRead({"?"}, {"\xB0\x1A"}, {"?"}), TextArray({"\xB0\x1A"}));
    EXPECT_EQ(withBytesAsRead({"?", "?"}, {"\xB0\x1A"}, {"?"}), TextArray({"\xB0\x1A", "?"}));
}
