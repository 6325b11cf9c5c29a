// The texts of an element record, and the conversion of real numbers that servers report.
#include "access/element_info.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "access/truncate.h"

namespace {

TEST(ElementInfoTexts, LabelsAndSignedNumbers) {
    EXPECT_EQ(positionText(20, 15),
              "\xD7\xF3\xA3\xBA"
              "20 \xB6\xA5\xA3\xBA"
              "15");  // 左：20 顶：15
    EXPECT_EQ(positionText(-10, -1500),
              "\xD7\xF3\xA3\xBA"
              "-10 \xB6\xA5\xA3\xBA"
              "-1500");
    EXPECT_EQ(sizeText(300, 20),
              "\xBF\xED\xA3\xBA"
              "300 \xB8\xDF\xA3\xBA"
              "20");  // 宽：300 高：20
    // The difference of two extreme 32-bit positions does not overflow.
    const std::int64_t min32 = std::numeric_limits<std::int32_t>::min();
    const std::int64_t max32 = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(positionText(min32 - max32, 0),
              "\xD7\xF3\xA3\xBA"
              "-4294967295 \xB6\xA5\xA3\xBA"
              "0");
}

TEST(ElementInfoTexts, EmptyNameIsNameless) {
    EXPECT_EQ(nameField(""), "NAMELESS");
    EXPECT_EQ(nameField("NAMELESS"), nameField(""));
    EXPECT_EQ(nameField("\xCE\xA2\xD0\xC5"), "\xCE\xA2\xD0\xC5");  // 微信
}

TEST(TruncateToInt32, TowardZeroAndClampedAtTheEnds) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        double value;
        std::int32_t expected;
    } cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {0.5, 0},
        {-0.5, 0},
        {1e-8, 0},
        {2147483647.9, kMax},
        {-2147483648.9, kMin},
        {1e20, kMax},
        {-1e20, kMin},
        {std::numeric_limits<double>::infinity(), kMax},
        {-std::numeric_limits<double>::infinity(), kMin},
        {std::nan(""), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(truncateToInt32(c.value), c.expected) << c.value;
}

}  // namespace
