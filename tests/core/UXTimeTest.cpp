#include "core/UXTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quillmere {
namespace {

// Each unit's first value, the last before it, negatives, and values without a 64-bit whole
// number, which get a placeholder instead of an undefined conversion.
TEST(UXTimeTest, CountdownAndCountupAtEachUnitsEdges) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const struct {
        double seconds;
        const char* countdown;
        const char* countup;
    } cases[] = {
        {9.99, "9", "+9"},     {10, "1m", "+10"},     {59.9, "1m", "+59"},
        {60, "2m", "+1m"},     {3600, "61m", "+60m"}, {3600.5, ">1h", "+>1h"},
        {7200, ">2h", "+>2h"}, {-3.7, "-3", "+-3"},   {std::nan(""), "--", "+--"},
        {-inf, "--", "+--"},   {0x1p63, "--", "+--"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(UXTime::countdown(c.seconds), c.countdown);
        EXPECT_EQ(UXTime::countup(c.seconds), c.countup);
    }
}

} // namespace
} // namespace quillmere
