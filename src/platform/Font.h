#pragma once

namespace quillmere {

// A text font in platform-neutral terms.
struct Font {
    enum class Weight { Regular, Bold };
    bool monospaced = false;
    double pointSize = 0; // 0: the platform's default size
    Weight weight = Weight::Regular;

    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace quillmere
