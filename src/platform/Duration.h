#pragma once

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quillmere {

// Converts seconds to whole nanoseconds without undefined behaviour: NaN and negative values
// become zero, values beyond the range of the result saturate at its maximum.
inline std::chrono::nanoseconds saturatingNanoseconds(double seconds) {
    if (!(seconds > 0)) {
        return std::chrono::nanoseconds{0};
    }
    const double nanos = seconds * 1e9;
    // 2^63 is exactly representable; anything at or above it does not fit in int64.
    if (nanos >= 9223372036854775808.0) {
        return std::chrono::nanoseconds{std::numeric_limits<std::int64_t>::max()};
    }
    return std::chrono::nanoseconds{static_cast<std::int64_t>(nanos)};
}

// Adds without overflow, saturating at the limits.
inline std::chrono::nanoseconds saturatingAdd(std::chrono::nanoseconds a,
                                              std::chrono::nanoseconds b) {
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    if (b.count() > 0 && a.count() > max - b.count()) {
        return std::chrono::nanoseconds{max};
    }
    if (b.count() < 0 && a.count() < min - b.count()) {
        return std::chrono::nanoseconds{min};
    }
    return a + b;
}

} // namespace quillmere
