#include "core/UXTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quillmere {
namespace {

struct Case {
    double seconds;
    const char* countdown;
    const char* countup;
};

void expectTexts(const std::vector<Case>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "seconds = " << c.seconds);
        EXPECT_EQ(UXTime::countdown(c.seconds), c.countdown);
        EXPECT_EQ(UXTime::countup(c.seconds), c.countup);
    }
}

constexpr double twoTo63 = 9223372036854775808.0;

TEST(UXTimeTest, WorkedValues) {
    expectTexts({
        {0, "0", "+0"},          {0.999, "0", "+0"},       {5.5, "5", "+5"},
        {9.99, "9", "+9"},       {10.001, "1m", "+10"},    {30, "1m", "+30"},
        {59.9, "1m", "+59"},     {61, "2m", "+1m"},        {90, "2m", "+1m"},
        {119.5, "2m", "+1m"},    {120, "3m", "+2m"},       {599.5, "10m", "+9m"},
        {600, "11m", "+10m"},    {3599, "60m", "+59m"},    {3600, "61m", "+60m"},
        {3600.5, ">1h", "+>1h"}, {7199, ">1h", "+>1h"},    {7200, ">2h", "+>2h"},
        {9000, ">2h", "+>2h"},   {86400, ">24h", "+>24h"},
    });
}

// Exactly 10 (countdown) and exactly 60 (countup) show minutes, never an empty number.
TEST(UXTimeTest, UnitBoundaries) {
    expectTexts({
        {std::nextafter(10.0, 0.0), "9", "+9"},
        {10, "1m", "+10"},
        {std::nextafter(60.0, 0.0), "1m", "+59"},
        {60, "2m", "+1m"},
        {std::nextafter(3600.0, 4000.0), ">1h", "+>1h"},
    });
}

TEST(UXTimeTest, NegativeValuesShowBareSeconds) {
    expectTexts({
        {-0.5, "0", "+0"},
        {-3.7, "-3", "+-3"},
        {-59.9, "-59", "+-59"},
        {-7200, "-7200", "+-7200"},
    });
}

// Values that have no 64-bit whole number get a placeholder instead of an undefined conversion.
TEST(UXTimeTest, ValuesOutsideTheWholeNumberRange) {
    const double nearLimit = std::nextafter(twoTo63, 0.0);
    expectTexts({
        {std::numeric_limits<double>::quiet_NaN(), "--", "+--"},
        {std::numeric_limits<double>::infinity(), "--", "+--"},
        {-std::numeric_limits<double>::infinity(), "--", "+--"},
        {twoTo63, "--", "+--"},
        {-twoTo63, "--", "+--"},
        {nearLimit, ">2562047788015215h", "+>2562047788015215h"},
        {-nearLimit, "-9223372036854774784", "+-9223372036854774784"},
    });
}

} // namespace
} // namespace quillmere
