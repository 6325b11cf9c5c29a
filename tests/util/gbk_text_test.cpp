#include "util/gbk_text.h"

#include <gtest/gtest.h>

// The sources are UTF-8; the compiler writes narrow literals as GBK bytes.
TEST(GbkLiterals, ChineseLiteralIsGbkInTheBinary) {
    const std::string wechat = "微信";
    EXPECT_EQ(wechat, "\xCE\xA2\xD0\xC5");
    EXPECT_EQ(std::string("：").size(), 2u);
}

TEST(GbkText, FindOnlyAtCharacterBoundaries) {
    struct Case {
        const char* haystack;
        const char* needle;
        std::size_t expected;
    } cases[] = {
        {"\xCE\xA2\xD0\xC5", "\xA2\xD0", std::string::npos},  // bytes across the two characters of 微信
        {"\xCE\xA2\xD0\xC5", "\xD0\xC5", 2},
        {"abc", "", 0},
        {"", "", std::string::npos},
        {"ab", "abc", std::string::npos},
        {"x\xB0\x5C\x5C", "\\", 3},  // 0x5C as a trail byte is not a backslash
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gbk::find(c.haystack, c.needle), c.expected) << c.haystack << " / " << c.needle;
    }
}

TEST(GbkText, LastCharSkipsTrailBytes) {
    EXPECT_EQ(gbk::findLastChar("a\\b\\c", '\\'), 3u);
    EXPECT_EQ(gbk::findLastChar("a\\\xB0\x5C", '\\'), 1u);
    EXPECT_EQ(gbk::findLastChar("abc", '\\'), std::string::npos);
    // A lone lead byte at the end is a character of its own and does not run past the text.
    EXPECT_EQ(gbk::findLastChar("\\\x81", '\\'), 0u);
}
