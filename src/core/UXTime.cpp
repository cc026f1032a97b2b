#include "core/UXTime.h"

#include <cmath>
#include <cstdint>

namespace quillmere {

namespace {

// Every value below 2^63 in magnitude, and each of its fractions, fits a signed 64-bit integer;
// anything else (NaN and the infinities included) must never reach the conversion.
bool convertible(double seconds) {
    return std::fabs(seconds) < 0x1p63;
}

// The whole number of `value`, cut off towards zero.
std::string whole(double value) {
    return std::to_string(static_cast<std::int64_t>(value));
}

} // namespace

std::string UXTime::countdown(double seconds) {
    if (!convertible(seconds)) {
        return "--";
    }
    if (seconds > 3600) {
        return ">" + whole(seconds / 3600) + "h";
    }
    // Exactly 10 seconds belongs to the minutes rule, so no value is left without a text.
    if (seconds >= 10) {
        return std::to_string(static_cast<std::int64_t>(seconds / 60) + 1) + "m";
    }
    return whole(seconds);
}

std::string UXTime::countup(double seconds) {
    if (!convertible(seconds)) {
        return "+--";
    }
    if (seconds > 3600) {
        return "+>" + whole(seconds / 3600) + "h";
    }
    // Exactly 60 seconds belongs to the minutes rule ("+1m"), so no value is left without a text.
    if (seconds >= 60) {
        return "+" + whole(seconds / 60) + "m";
    }
    return "+" + whole(seconds);
}

} // namespace quillmere
