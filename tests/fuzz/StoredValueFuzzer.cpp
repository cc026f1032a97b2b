// The typed reads every defaults store applies, over any stored value: no undefined behaviour
// (a NaN or huge number cast to an integer), and the reads agree with each other.
#include "platform/StoredValue.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using quillmere::StoredValue;
namespace stored = quillmere::stored;

namespace {

StoredValue valueFrom(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t kind = size > 0 ? data[0] % 4 : 3;
    const std::uint8_t* rest = size > 0 ? data + 1 : data;
    const std::size_t restSize = size > 0 ? size - 1 : 0;
    switch (kind) {
    case 0:
        return restSize > 0 && (rest[0] & 1) != 0;
    case 1: {
        std::int64_t number = 0;
        std::memcpy(&number, rest, std::min(restSize, sizeof number));
        return number;
    }
    case 2: {
        double number = 0;
        std::memcpy(&number, rest, std::min(restSize, sizeof number));
        return number;
    }
    default:
        return std::string(reinterpret_cast<const char*>(rest), restSize);
    }
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const StoredValue value = valueFrom(data, size);
    const bool flag = stored::asBool(value);
    const double number = stored::asDouble(value);
    const std::int64_t whole = stored::asInteger(value);
    const std::string text = stored::asString(value);

    // A whole-number read is the floating-point read cut towards zero, or 0 where that does not
    // fit (stored whole numbers are taken as they are).
    if (!std::holds_alternative<std::int64_t>(value)) {
        const double cut = std::trunc(number);
        const bool fits =
            std::isfinite(cut) && cut >= -9223372036854775808.0 && cut < 9223372036854775808.0;
        check(fits ? static_cast<double>(whole) == cut : whole == 0);
    }
    // A number read as true is never zero; text that reads as a non-zero number is true.
    if (!std::holds_alternative<std::string>(value)) {
        check(flag == (number != 0 && !std::isnan(number)));
    } else if (const auto parsed = stored::parseNumber(text)) {
        check(flag == (*parsed != 0 && !std::isnan(*parsed)));
        check(number == *parsed || (std::isnan(number) && std::isnan(*parsed)));
    }
    // The text of a number reads back as the same number.
    if (std::holds_alternative<double>(value) && std::isfinite(number)) {
        check(stored::parseNumber(text) == number);
    }
    return 0;
}
