#include "replies/reply_file.h"

#include <gtest/gtest.h>

#include "byte_literals.h"

using replies::parseReplies;
using replies::serializeReplies;

TEST(ReplyFile, ParsesLinesAsTheyAreFound) {
    struct Case {
        const char* what;
        std::string_view file;
        TextArray replies;
    } cases[] = {
        {"empty file", "", {}},
        {"two lines", "ab\r\ncd\r\n", {"ab", "cd"}},
        {"no final line end", "ab\r\ncd", {"ab", "cd"}},
        {"empty line inside", "ab\r\n\r\ncd\r\n", {"ab", "", "cd"}},
        {"starts with a line end", "\r\nab\r\n", {"", "ab"}},
        {"a lone line end", "\r\n", {""}},
        {"LF only", "ab\ncd\n", {"ab\ncd\n"}},
        {"lone CR", "ab\rcd", {"ab\rcd"}},
        {"CR before the line end", "ab\r\r\ncd", {"ab\r", "cd"}},
        {"GBK lines",
         "\xCE\xA2\xD0\xC5\r\n\xBA\xC3\xD3\xD1\r\n",
         {"\xCE\xA2\xD0\xC5", "\xBA\xC3\xD3\xD1"}},  // 微信, 好友
        {"lead byte takes the CR", "a\xB0\r\nb\r\n", {"a\xB0\r\nb"}},
        {"UTF-8 byte-order mark",
         "\xEF\xBB\xBF"
         "ab\r\ncd",
         {"\xEF\xBB\xBF"
          "ab",
          "cd"}},
        {"byte-order mark pairs with the line end", "\xEF\xBB\xBF\r\nab", {"\xEF\xBB\xBF\r\nab"}},
        // UTF-8 你 and 好 are three bytes each: read as GBK pairs, every CR is taken by a lead byte.
        {"UTF-8 lines", "\xE4\xBD\xA0\r\n\xE5\xA5\xBD\r\n", {"\xE4\xBD\xA0\r\n\xE5\xA5\xBD\r\n"}},
        {"zero byte ends the text", bytes("ab\r\ncd\0ef\r\ngh"), {"ab", "cd"}},
        {"zero byte first", bytes("\0ab"), {}},
        {"Ctrl+Z ends the text", "ab\x1A\r\ncd", {"ab"}},
        {"Ctrl+Z as a trail byte", "\xB0\x1A\r\nab", {"\xB0\x1A", "ab"}},
        {"zero byte after a lead byte", bytes("ab\r\ncd\xB0\0ef"), {"ab", "cd"}},
        {"zero byte as a trail byte", bytes("ab\r\n\xB0\0"), {"ab"}},
        {"lead byte at the very end", "ab\r\ncd\xB0", {"ab", "cd"}},
        {"lead byte alone after a line end", "ab\r\n\xB0", {"ab"}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseReplies(c.file), c.replies) << c.what;
}

TEST(ReplyFile, WritesEachReplyWithALineEnd) {
    EXPECT_EQ(serializeReplies({}), "");
    EXPECT_EQ(serializeReplies({""}), "\r\n");
    EXPECT_EQ(serializeReplies({"ab", "", "\xCE\xA2\xD0\xC5"}), "ab\r\n\r\n\xCE\xA2\xD0\xC5\r\n");  // 微信
}

TEST(ReplyFile, WrittenRepliesReadBackUnchanged) {
    const TextArray replies = {"", "a\nb", "c\r", "\xB0\x1A", "\xCE\xA2\xD0\xC5", "\n"};
    EXPECT_EQ(parseReplies(serializeReplies(replies)), replies);
}
