// Numbers that accessibility servers return as reals, made 32-bit integers.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// `value` truncated toward zero to a 32-bit integer. A value beyond the 32-bit range gives the nearest end of
// the range and NaN gives 0, where a plain conversion would be undefined.
inline std::int32_t truncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    const double whole = std::trunc(value);
    if (whole <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (whole >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(whole);
}
