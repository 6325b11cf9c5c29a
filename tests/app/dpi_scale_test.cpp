// The form's values at other densities: rounding as the system rounds, the font height and the layout rule.
#include "app/dpi_scale.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

using dpi_scale::Box;

TEST(DpiScale, ValuesGrowWithTheDpiRoundedHalfAwayFromZero) {
    const struct {
        int value, dpi, expected;
    } cases[] = {
        {348, 96, 348},   {755, 96, 755},   {0, 96, 0},       {-1, 96, -1},     {1, 96, 1},
        {348, 144, 522},  {755, 144, 1133}, {15, 144, 23},    {75, 144, 113},   {49, 144, 74},
        {1, 144, 2},      {-1, 144, -2},    {-3, 144, -5},    {2, 144, 3},      {0, 144, 0},
        {755, 120, 944},  {348, 120, 435},  {15, 120, 19},    {14, 120, 18},    {-15, 120, -19},
        {755, 192, 1510}, {15, 192, 30},    {40, 168, 70},    {280, 168, 490},  {755, 72, 566},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dpi_scale::scaled(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
    }
}

TEST(DpiScale, ABoxScalesEachOfItsValues) {
    const Box box = dpi_scale::scaled(Box{75, 49, 153, 23}, 144);
    EXPECT_EQ(box.x, 113);
    EXPECT_EQ(box.y, 74);
    EXPECT_EQ(box.width, 230);
    EXPECT_EQ(box.height, 35);
    const Box same = dpi_scale::scaled(Box{3, 113, 333, 232}, 96);
    EXPECT_EQ(same.x, 3);
    EXPECT_EQ(same.y, 113);
    EXPECT_EQ(same.width, 333);
    EXPECT_EQ(same.height, 232);
}

TEST(DpiScale, NinePointFontHeight) {
    const struct {
        int dpi, height;
    } cases[] = {{96, -12}, {120, -15}, {144, -18}, {168, -21}, {192, -24}, {72, -9}};
    for (const auto& c : cases) EXPECT_EQ(dpi_scale::fontHeight(9, c.dpi), c.height) << c.dpi;
}

TEST(DpiScale, QuickReplyGroupHeightKeepsItsMarginInProportion) {
    const struct {
        int window, remarkGroup, input, dpi, expected;
    } cases[] = {
        {755, 350, 56, 96, 364},  {800, 350, 56, 96, 409},  {391, 350, 56, 96, 0},
        {300, 350, 56, 96, -91},  {1133, 525, 84, 144, 547}, {944, 438, 70, 120, 455},
        {1510, 700, 112, 192, 728},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dpi_scale::quickReplyGroupHeight(c.window, c.remarkGroup, c.input, c.dpi), c.expected)
            << c.window << " at " << c.dpi;
    }
}

#ifdef _WIN32
// The system's own MulDiv, for every value a form holds at the densities Windows offers.
TEST(DpiScale, RoundsAsTheSystemsMulDiv) {
    for (int dpi : {72, 96, 120, 144, 168, 192, 216, 240, 288}) {
        for (int value = -1000; value <= 2000; ++value) {
            ASSERT_EQ(dpi_scale::scaled(value, dpi), MulDiv(value, dpi, 96)) << value << " at " << dpi;
        }
        ASSERT_EQ(dpi_scale::fontHeight(9, dpi), -MulDiv(9, dpi, 72)) << dpi;
    }
}
#endif
