#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace quillmere {

// The whole number of `value` cut off towards zero, or none when it is not finite or does not fit
// in a signed 64-bit integer (where a plain conversion is undefined behaviour).
inline std::optional<std::int64_t> truncatedToInt64(double value) {
    // -2^63 and 2^63 are exact doubles; the range is half-open because 2^63 itself does not fit.
    if (!(value > -9223372036854775809.0 && value < 9223372036854775808.0)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(value);
}

} // namespace quillmere
