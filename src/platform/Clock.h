#pragma once

#include "platform/NonCopyable.h"

#include <chrono>

namespace quillmere {

// Wall-clock time in floating-point seconds: deadlines far in the future never overflow.
using WallTime = std::chrono::time_point<std::chrono::system_clock, std::chrono::duration<double>>;

// The present time as the units see it.
class Clock : NonCopyable {
public:
    virtual ~Clock() = default;
    // The current wall-clock time; it jumps forward over a suspend.
    virtual WallTime now() const = 0;
};

} // namespace quillmere
