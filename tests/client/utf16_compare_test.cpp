#include "client/utf16_compare.h"

#include <gtest/gtest.h>

TEST(CompareUtf16, LettersMatchTheirOtherCaseOnlyWhenAsked) {
    struct Case {
        const char16_t* a;
        const char16_t* b;
        bool caseSensitive;
        int expected;
    } cases[] = {
        {u"WeChat.exe", u"WeChat.exe", false, 0},    {u"WeChat.exe", u"WeChat.exe", true, 0},
        {u"wechat.EXE", u"WeChat.exe", false, 0},    {u"wechat.EXE", u"WeChat.exe", true, 1},
        {u"WECHAT.EXE", u"wechat.exe", true, -1},    {u"", u"", false, 0},
        {u"\u5FAE\u4FE1", u"\u5FAE\u4FE1", true, 0},  // 微信
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compareUtf16(c.a, c.b, c.caseSensitive), c.expected)
            << static_cast<int>(c.a[0]) << " case-sensitive " << c.caseSensitive;
    }
}

TEST(CompareUtf16, UnitsThirtyTwoApartMatchOnlyAsOneAsciiLetter) {
    struct Case {
        const char16_t* a;
        const char16_t* b;
        int expected;
    } cases[] = {
        {u"WeChatNexe", u"WeChat.exe", 1},  // N (U+004E) is 32 above the full stop
        {u"WeChat.exe", u"WeChatNexe", -1},
        {u"[", u"{", -1},  // neither is a letter
        {u"@", u"`", -1},
        {u"Z", u"z", 0},
        {u"\u00C4", u"\u00E4", -1},  // Ä and ä: letters, but not ASCII
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compareUtf16(c.a, c.b, false), c.expected) << static_cast<int>(c.a[0]);
    }
}

TEST(CompareUtf16, PrefixesAndOneDifferentCharacterDoNotMatch) {
    EXPECT_EQ(compareUtf16(u"WeChat", u"WeChat.exe", false), -1);
    EXPECT_EQ(compareUtf16(u"WeChat.exe", u"WeChat", false), 1);
    EXPECT_EQ(compareUtf16(u"WeChat.exe", u"WeChat.exe2", false), -1);
    EXPECT_EQ(compareUtf16(u"WeChat-exe", u"WeChat.exe", false), -1);
    EXPECT_EQ(compareUtf16(u"WeChat.exf", u"WeChat.exe", false), 1);
    EXPECT_EQ(compareUtf16(u"", u"WeChat.exe", false), -1);
}

TEST(CompareUtf16, UnitsAreSignedSixteenBitNumbers) {
    // Units from U+8000 up order before ASCII; only the test for 0 is used by the process list.
    EXPECT_EQ(compareUtf16(u"\u8000", u"a", false), -1);
    EXPECT_EQ(compareUtf16(u"a", u"\uFFFF", false), 1);
}

TEST(CompareUtf16, AMissingNameNeverEqualsAReadableOne) {
    EXPECT_EQ(compareUtf16(nullptr, u"WeChat.exe", false), -1);
    EXPECT_EQ(compareUtf16(u"WeChat.exe", nullptr, false), 1);
    EXPECT_EQ(compareUtf16(nullptr, u"", true), -1);
    EXPECT_EQ(compareUtf16(nullptr, nullptr, false), 0);
}
