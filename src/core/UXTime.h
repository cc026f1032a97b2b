#pragma once

#include <string>

namespace quillmere {

// The status item's short texts: a coarse countdown and a coarse count-up.
class UXTime {
public:
    // The time left: ">2h", "11m", "9".
    static std::string countdown(double seconds);
    // The time since the deadline: "+>2h", "+10m", "+9".
    static std::string countup(double seconds);
};

} // namespace quillmere
