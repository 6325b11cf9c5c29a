#include "util/codepage.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {
ByteBuffer bytes(std::initializer_list<int> values) {
    ByteBuffer b;
    for (int v : values) b.push_back(static_cast<std::uint8_t>(v));
    return b;
}
}  // namespace

TEST(Codepage, TextToUtf16) {
    EXPECT_TRUE(textToUtf16("").empty());
    EXPECT_EQ(textToUtf16("abc"), bytes({'a', 0, 'b', 0, 'c', 0, 0, 0}));
    EXPECT_EQ(textToUtf16("微信"), bytes({0xAE, 0x5F, 0xE1, 0x4F, 0, 0}));
    EXPECT_EQ(textToUtf16("微信", true), bytes({0xAE, 0x5F, 0xE1, 0x4F}));
    EXPECT_TRUE(textToUtf16("", true).empty());
}

TEST(Codepage, Utf16ToGbkText) {
    EXPECT_EQ(utf16ToGbkText(bytes({0xAE, 0x5F, 0xE1, 0x4F, 0, 0})), "微信");
    EXPECT_EQ(utf16ToGbkText(bytes({0xAE, 0x5F, 0xE1, 0x4F})), "微信");   // no terminator: converted whole
    EXPECT_EQ(utf16ToGbkText(bytes({'a', 0, 0, 0, 'b', 0, 0, 0})), "a");  // stops at the first zero unit
    EXPECT_EQ(utf16ToGbkText({}), "");
    EXPECT_EQ(utf16ToGbkText(bytes({0, 0, 'a', 0})), "");
}

TEST(Codepage, BytesAfterZeroAreIgnored) {
    EXPECT_EQ(bytesToUtf16(bytes({'a', 0, 'b'}), kGbkCodePage), bytes({'a', 0, 0, 0}));
    EXPECT_TRUE(bytesToUtf16(bytes({0, 'b'}), kGbkCodePage).empty());
}

TEST(Codepage, SystemCodePageIs936UnderTheTestLocale) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run under zh_CN.UTF-8";
    const ByteBuffer wide = textToUtf16("好友备注");
    EXPECT_EQ(utf16ToText(wide, 0, false), utf16ToGbkText(wide));
    EXPECT_EQ(utf16ToBytes(wide, kGbkCodePage), ByteBuffer({0xBA, 0xC3, 0xD3, 0xD1, 0xB1, 0xB8, 0xD7, 0xA2}));
}
