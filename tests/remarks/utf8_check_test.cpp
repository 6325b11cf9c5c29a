#include "remarks/utf8_check.h"

#include <gtest/gtest.h>

#include <string>

TEST(Utf8Check, AcceptsOnlyWellFormedCharactersUpToU_FFFF) {
    const struct {
        std::string bytes;
        bool accepted;
    } cases[] = {
        {"", true},
        {"plain ASCII\r\n", true},
        {"\xC3\xA9", true},                  // é
        {"\xE4\xBF\xA1\xE6\x81\xAF", true},  // 信息
        {"\xEF\xBF\xBF", true},              // U+FFFF
        {"\xED\x9F\xBF", true},              // U+D7FF, just below the surrogates
        {"\xC3", false},                     // cut short
        {"\xE4\xBF", false},
        {"\x80", false},      // stray continuation byte
        {"\xC0\x80", false},  // overlong forms
        {"\xC1\xBF", false},
        {"\xE0\x9F\xBF", false},
        {"\xED\xA0\x80", false},      // surrogate U+D800
        {"\xF0\x9F\x98\x80", false},  // U+1F600: four bytes
        {"\xF4\x8F\xBF\xBF", false},
        {"\xFF", false},
        {std::string("a\0b", 3), false},  // a zero byte
        {"ok\xE4\xBF"
         "x",
         false},  // continuation byte missing before an ASCII one
    };
    for (const auto& c : cases)
        EXPECT_EQ(isAcceptedUtf8(c.bytes), c.accepted) << testing::PrintToString(c.bytes);
}
