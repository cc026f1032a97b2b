#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>

namespace quillmere::qt {

// The idle threshold the desktop is asked for, in whole milliseconds between one second and a
// day (which also fits the 32-bit timeouts of Wayland). A threshold that is not a number counts
// as the longest: converting it as it is would be undefined behaviour, and a spurious "away"
// would be worse than none.
inline std::chrono::milliseconds idleThreshold(double seconds) {
    constexpr double Shortest = 1;
    constexpr double Longest = 24 * 60 * 60;
    const double usable = std::isnan(seconds) ? Longest : std::clamp(seconds, Shortest, Longest);
    return std::chrono::milliseconds(static_cast<long long>(usable * 1000));
}

} // namespace quillmere::qt
