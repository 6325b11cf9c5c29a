#include "remarks/gbk_text_codec.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "remarks/utf8_check.h"

TEST(GbkTextCodec, EveryGbkCharacterComesBackAsItself) {
    const TextCodec& codec = gbkTextCodec();
    int characters = 0;
    for (int lead = 0x01; lead <= 0xFE; ++lead) {
        for (int trail = lead < 0x80 ? 0 : 0x40; trail <= (lead < 0x80 ? 0 : 0xFE); ++trail) {
            Text text(1, static_cast<char>(lead));
            if (trail) text += static_cast<char>(trail);
            wchar_t wide[2];
            const int units = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(),
                                                  static_cast<int>(text.size()), wide, 2);
            if (units <= 0) continue;  // no character at this code point
            const std::optional<std::string> utf8 = codec.toUtf8(text);
            ASSERT_TRUE(utf8) << std::hex << lead << ' ' << trail;
            ASSERT_TRUE(isAcceptedUtf8(*utf8)) << std::hex << lead << ' ' << trail;
            ASSERT_EQ(codec.fromUtf8(*utf8), text) << std::hex << lead << ' ' << trail;
            ++characters;
        }
    }
    EXPECT_GT(characters, 21000) << "GBK has about 21,900 characters";
    EXPECT_EQ(codec.toUtf8("微信备注"), u8"微信备注");
    EXPECT_EQ(codec.fromUtf8(u8"老同学（大学）\r\n"), "老同学（大学）\r\n");
}

TEST(GbkTextCodec, GivesNothingForWhatHasNoExactCounterpart) {
    const TextCodec& codec = gbkTextCodec();
    EXPECT_EQ(codec.toUtf8(""), "");
    EXPECT_EQ(codec.fromUtf8(""), "");
    for (const Text& text : {Text("\x81"), Text("ab\x81"), Text("\xFF\xFF"), Text("a\0b", 3)}) {
        EXPECT_FALSE(codec.toUtf8(text)) << testing::PrintToString(text);
    }
    // Hangul, Thai and capital A with grave are not in GBK; no near look-alike may stand in for them.
    for (const char* utf8 : {u8"한국", u8"ก", u8"À", u8"ok 😀", "\xC3", "\xED\xA0\x80", "a\xC0\x80"}) {
        EXPECT_FALSE(codec.fromUtf8(utf8)) << testing::PrintToString(std::string(utf8));
    }
}
