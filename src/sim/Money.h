#pragma once

// Amounts are int32 as in the files; products and sums are formed in 64 bits and saturate at the int32 limits.

#include <cmath>
#include <cstdint>
#include <limits>

namespace valmore {

constexpr std::int32_t ClampToInt32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// Truncation toward zero of a real amount, saturated like ClampToInt32 (NaN counts as 0).
inline std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// target += delta without wrapping.
inline void AddSaturated(std::int32_t& target, std::int64_t delta) {
    target = ClampToInt32(static_cast<std::int64_t>(target) + delta);
}

// The 20 % tax on a running gain: never negative, truncated toward zero.
constexpr std::int32_t TaxOnGain(std::int32_t total) {
    std::int64_t tax = static_cast<std::int64_t>(total) * 20 / 100;
    return tax > 0 ? ClampToInt32(tax) : 0;
}

}  // namespace valmore
