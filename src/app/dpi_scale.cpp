#include "app/dpi_scale.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace dpi_scale {
namespace {

// a * b / c rounded to the nearest integer, halves away from zero, kept in int's range; c > 0.
int mulDiv(int a, int b, int c) {
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = product < 0 ? -(c / 2) : c / 2;
    return static_cast<int>(std::clamp<std::int64_t>((product + half) / c, INT_MIN, INT_MAX));
}

constexpr int kPointsPerInch = 72;
constexpr int kQuickReplyMargin = 15;

}  // namespace

int scaled(int value, int dpi) {
    return mulDiv(value, dpi, kBaseDpi);
}

Box scaled(const Box& box, int dpi) {
    return {scaled(box.x, dpi), scaled(box.y, dpi), scaled(box.width, dpi), scaled(box.height, dpi)};
}

int fontHeight(int points, int dpi) {
    return -mulDiv(points, dpi, kPointsPerInch);
}

int quickReplyGroupHeight(int windowHeight, int remarkGroupHeight, int inputHeight, int dpi) {
    const std::int64_t height = std::int64_t{windowHeight} - remarkGroupHeight - inputHeight +
                                scaled(kQuickReplyMargin, dpi);
    return static_cast<int>(std::clamp<std::int64_t>(height, INT_MIN, INT_MAX));
}

}  // namespace dpi_scale
