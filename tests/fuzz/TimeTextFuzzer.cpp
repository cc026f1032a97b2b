// The countdown and count-up texts over any double: never undefined behaviour, always a short
// text made of the characters the item may show.
#include "core/UXTime.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void checkText(const std::string& text, bool countsUp) {
    if (text.empty() || text.size() > 24 || (countsUp && text.front() != '+')) {
        std::abort();
    }
    for (char c : text) {
        if (std::strchr("0123456789+->hm", c) == nullptr) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double seconds = 0;
    std::memcpy(&seconds, data, std::min(size, sizeof seconds));
    checkText(quillmere::UXTime::countdown(seconds), false);
    checkText(quillmere::UXTime::countup(seconds), true);
    return 0;
}
